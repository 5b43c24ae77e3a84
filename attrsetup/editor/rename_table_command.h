#pragma once

#include <string>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes a rename: the table's old name, and the features that followed it to the new one.
class RenameTableCommand : public SchemaStepCommand {
  public:
    RenameTableCommand(AttributeSchema& schema, std::size_t position, std::string newName);

  protected:
    void apply() override;

  private:
    std::size_t m_position;
    std::string m_newName;
};

}  // namespace quorbel::editor
