#pragma once

#include "editor/pending_edit_command.h"

namespace quorbel::editor {

// Undoes features moved into the included list, before 保存 takes them into the schema.
class MoveIntoIncludedCommand : public PendingEditCommand {
  public:
    MoveIntoIncludedCommand(const std::string& table, StepView before, StepView after)
        : PendingEditCommand(QStringLiteral("添加地物"), table, std::move(before),
                             std::move(after)) {}
};

}  // namespace quorbel::editor
