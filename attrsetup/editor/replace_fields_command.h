#pragma once

#include <vector>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes a change of a table's fields (added, deleted, moved or edited rows saved together).
class ReplaceFieldsCommand : public SchemaStepCommand {
  public:
    ReplaceFieldsCommand(AttributeSchema& schema, std::size_t position,
                         std::vector<FieldDef> fields);

  protected:
    void apply() override;

  private:
    std::size_t m_position;
    std::vector<FieldDef> m_fields;
};

}  // namespace quorbel::editor
