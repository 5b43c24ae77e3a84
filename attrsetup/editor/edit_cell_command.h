#pragma once

#include "editor/pending_edit_command.h"

namespace quorbel::editor {

// Undoes one finished edit of a field grid's cell: the rows as they were before it.
class EditCellCommand : public PendingEditCommand {
  public:
    EditCellCommand(const std::string& table, StepView before, StepView after)
        : PendingEditCommand(QStringLiteral("编辑字段"), table, std::move(before),
                             std::move(after)) {}
};

}  // namespace quorbel::editor
