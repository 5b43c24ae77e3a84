// One step of the dialog's undo history, and what the dialog shows after undoing or redoing it:
// the selection follows the step, and edits not yet saved come back as the user saw them.
#pragma once

#include <QUndoCommand>
#include <string>

#include "editor/step_view.h"

namespace quorbel::editor {

class EditorStep : public QUndoCommand {
  public:
    const std::string& tableAfterUndo() const { return m_tableAfterUndo; }
    const std::string& tableAfterRedo() const { return m_tableAfterRedo; }
    // A step that changes the schema makes the dialog show the schema anew; one that changes only
    // what is on screen leaves the rest of the screen as it is.
    bool changesSchema() const { return m_changesSchema; }

    const StepView& viewAfterUndo() const { return m_viewAfterUndo; }
    const StepView& viewAfterRedo() const { return m_viewAfterRedo; }
    void setViewAfterUndo(StepView view) { m_viewAfterUndo = std::move(view); }
    void setViewAfterRedo(StepView view) { m_viewAfterRedo = std::move(view); }

  protected:
    EditorStep(const QString& text, std::string tableAfterUndo, std::string tableAfterRedo,
               bool changesSchema = true)
        : QUndoCommand(text),
          m_tableAfterUndo(std::move(tableAfterUndo)),
          m_tableAfterRedo(std::move(tableAfterRedo)),
          m_changesSchema(changesSchema) {}

  private:
    std::string m_tableAfterUndo;
    std::string m_tableAfterRedo;
    bool m_changesSchema;
    StepView m_viewAfterUndo;
    StepView m_viewAfterRedo;
};

}  // namespace quorbel::editor
