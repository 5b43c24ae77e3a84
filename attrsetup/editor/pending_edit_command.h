#pragma once

#include "editor/editor_step.h"

namespace quorbel::editor {

// The common part of the steps that change only what the dialog shows before a 保存: the schema
// stays as it is, and undo and redo show the rows or lines as they were before and after.
class PendingEditCommand : public EditorStep {
  public:
    void undo() override {}
    void redo() override {}

  protected:
    PendingEditCommand(const QString& text, const std::string& table, StepView before,
                       StepView after)
        : EditorStep(text, table, table, false) {
        setViewAfterUndo(std::move(before));
        setViewAfterRedo(std::move(after));
    }
};

}  // namespace quorbel::editor
