#include "editor/add_table_command.h"

#include "schema/attribute_schema.h"

namespace quorbel::editor {

AddTableCommand::AddTableCommand(AttributeSchema& schema, const std::string& currentTable,
                                 AttributeTable table)
    : SchemaStepCommand(schema, QStringLiteral("添加表"), currentTable, table.name),
      m_after(schema.findTable(currentTable)),
      m_table(std::move(table)) {
    touchTable(0, false, true);
    captureBefore();
}

void AddTableCommand::apply() {
    moveTable(schema().insertTableAfter(m_after, m_table));
}

}  // namespace quorbel::editor
