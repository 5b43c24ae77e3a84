#include "editor/replace_fields_command.h"

#include "schema/attribute_schema.h"

namespace quorbel::editor {

ReplaceFieldsCommand::ReplaceFieldsCommand(AttributeSchema& schema, std::size_t position,
                                           std::vector<FieldDef> fields)
    : SchemaStepCommand(schema, QStringLiteral("修改字段"), schema.tables()[position].name,
                        schema.tables()[position].name),
      m_position(position),
      m_fields(std::move(fields)) {
    touchTable(position, true, true);
    captureBefore();
}

void ReplaceFieldsCommand::apply() {
    schema().replaceFields(m_position, m_fields);
}

}  // namespace quorbel::editor
