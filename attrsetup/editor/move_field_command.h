#pragma once

#include "editor/pending_edit_command.h"

namespace quorbel::editor {

// Undoes a field row moved up or down in its grid.
class MoveFieldCommand : public PendingEditCommand {
  public:
    MoveFieldCommand(const std::string& table, StepView before, StepView after)
        : PendingEditCommand(QStringLiteral("移动字段"), table, std::move(before),
                             std::move(after)) {}
};

}  // namespace quorbel::editor
