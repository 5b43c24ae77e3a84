#pragma once

#include <string>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes the deletion of a table: the table with its fields comes back in its place, and its
// features name it again.
class DeleteTableCommand : public SchemaStepCommand {
  public:
    // tableAfterRedo: the table the tree makes current once this one is gone.
    DeleteTableCommand(AttributeSchema& schema, const std::string& name,
                       std::string tableAfterRedo);

  protected:
    void apply() override;

  private:
    std::string m_name;
};

}  // namespace quorbel::editor
