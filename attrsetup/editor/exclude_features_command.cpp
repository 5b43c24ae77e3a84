#include "editor/exclude_features_command.h"

#include "editor/feature_codes.h"
#include "schema/attribute_schema.h"

namespace quorbel::editor {

ExcludeFeaturesCommand::ExcludeFeaturesCommand(AttributeSchema& schema,
                                               std::vector<std::string> codes,
                                               const std::string& table)
    : SchemaStepCommand(schema, QStringLiteral("移出地物"), table, table),
      m_codes(std::move(codes)) {
    touchFeatures(featuresWithCodes(schema, m_codes));
    captureBefore();
}

void ExcludeFeaturesCommand::apply() {
    for (const std::string& code : m_codes) {
        schema().releaseFeature(code);
    }
}

}  // namespace quorbel::editor
