#pragma once

#include <cstdint>

#include "editor/schema_step_command.h"

namespace quorbel::editor {

// Undoes a change of a table's kind.
class ChangeTableKindCommand : public SchemaStepCommand {
  public:
    ChangeTableKindCommand(AttributeSchema& schema, std::size_t position, int32_t kind);

  protected:
    void apply() override;

  private:
    std::size_t m_position;
    int32_t m_kind;
};

}  // namespace quorbel::editor
