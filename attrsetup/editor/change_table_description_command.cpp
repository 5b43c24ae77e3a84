#include "editor/change_table_description_command.h"

#include "schema/attribute_schema.h"

namespace quorbel::editor {

ChangeTableDescriptionCommand::ChangeTableDescriptionCommand(AttributeSchema& schema,
                                                             std::size_t position,
                                                             std::string description)
    : SchemaStepCommand(schema, QStringLiteral("修改表说明"), schema.tables()[position].name,
                        schema.tables()[position].name),
      m_position(position),
      m_description(std::move(description)) {
    touchTable(position, true, true);
    captureBefore();
}

void ChangeTableDescriptionCommand::apply() {
    schema().setDescription(m_position, m_description);
}

}  // namespace quorbel::editor
