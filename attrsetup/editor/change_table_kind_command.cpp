#include "editor/change_table_kind_command.h"

#include "schema/attribute_schema.h"

namespace quorbel::editor {

ChangeTableKindCommand::ChangeTableKindCommand(AttributeSchema& schema, std::size_t position,
                                               int32_t kind)
    : SchemaStepCommand(schema, QStringLiteral("修改表类型"), schema.tables()[position].name,
                        schema.tables()[position].name),
      m_position(position),
      m_kind(kind) {
    touchTable(position, true, true);
    captureBefore();
}

void ChangeTableKindCommand::apply() {
    schema().setKind(m_position, m_kind);
}

}  // namespace quorbel::editor
