#include "editor/include_features_command.h"

#include "editor/feature_codes.h"
#include "schema/attribute_schema.h"

namespace quorbel::editor {

IncludeFeaturesCommand::IncludeFeaturesCommand(AttributeSchema& schema,
                                               std::vector<std::string> codes,
                                               const std::string& table)
    : SchemaStepCommand(schema, QStringLiteral("包含地物"), table, table),
      m_codes(std::move(codes)),
      m_table(table) {
    touchFeatures(featuresWithCodes(schema, m_codes));
    captureBefore();
}

void IncludeFeaturesCommand::apply() {
    for (const std::string& code : m_codes) {
        schema().assignFeature(code, m_table);
    }
}

}  // namespace quorbel::editor
