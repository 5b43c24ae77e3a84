#pragma once

#include "editor/pending_edit_command.h"

namespace quorbel::editor {

// Undoes a field row added to a grid with 添加.
class AddFieldCommand : public PendingEditCommand {
  public:
    AddFieldCommand(const std::string& table, StepView before, StepView after)
        : PendingEditCommand(QStringLiteral("添加字段"), table, std::move(before),
                             std::move(after)) {}
};

}  // namespace quorbel::editor
