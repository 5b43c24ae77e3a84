// One step of the dialog's undo history, and which table the dialog shows after undoing or
// redoing it: the selection follows the step.
#pragma once

#include <QUndoCommand>
#include <string>

namespace quorbel::editor {

class EditorStep : public QUndoCommand {
  public:
    const std::string& tableAfterUndo() const { return m_tableAfterUndo; }
    const std::string& tableAfterRedo() const { return m_tableAfterRedo; }

  protected:
    EditorStep(const QString& text, std::string tableAfterUndo, std::string tableAfterRedo)
        : QUndoCommand(text),
          m_tableAfterUndo(std::move(tableAfterUndo)),
          m_tableAfterRedo(std::move(tableAfterRedo)) {}

  private:
    std::string m_tableAfterUndo;
    std::string m_tableAfterRedo;
};

}  // namespace quorbel::editor
