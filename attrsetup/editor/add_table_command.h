#pragma once

#include <optional>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes the adding of a new table: it leaves the schema again.
class AddTableCommand : public SchemaStepCommand {
  public:
    // The new table goes after the table current before, as insertTableAfter places it.
    AddTableCommand(AttributeSchema& schema, const std::string& currentTable, AttributeTable table);

  protected:
    void apply() override;

  private:
    std::optional<std::size_t> m_after;
    AttributeTable m_table;
};

}  // namespace quorbel::editor
