#pragma once

#include <string>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes a change of a table's description, back to the bytes it had.
class ChangeTableDescriptionCommand : public SchemaStepCommand {
  public:
    ChangeTableDescriptionCommand(AttributeSchema& schema, std::size_t position,
                                  std::string description);

  protected:
    void apply() override;

  private:
    std::size_t m_position;
    std::string m_description;
};

}  // namespace quorbel::editor
