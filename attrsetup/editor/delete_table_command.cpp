#include "editor/delete_table_command.h"

#include "schema/attribute_schema.h"

namespace quorbel::editor {

DeleteTableCommand::DeleteTableCommand(AttributeSchema& schema, const std::string& name,
                                       std::string tableAfterRedo)
    : SchemaStepCommand(schema, QStringLiteral("删除表"), name, std::move(tableAfterRedo)),
      m_name(name) {
    const auto position = schema.findTable(name);
    if (position) {
        touchTable(*position, true, false);
        touchFeatures(schema.featuresOfTable(name));
    }
    captureBefore();
}

void DeleteTableCommand::apply() {
    schema().removeTable(m_name);
}

}  // namespace quorbel::editor
