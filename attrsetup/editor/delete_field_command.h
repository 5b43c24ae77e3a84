#pragma once

#include "editor/pending_edit_command.h"

namespace quorbel::editor {

// Undoes a field row deleted from a grid with 删除.
class DeleteFieldCommand : public PendingEditCommand {
  public:
    DeleteFieldCommand(const std::string& table, StepView before, StepView after)
        : PendingEditCommand(QStringLiteral("删除字段"), table, std::move(before),
                             std::move(after)) {}
};

}  // namespace quorbel::editor
