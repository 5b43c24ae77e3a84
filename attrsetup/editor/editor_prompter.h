#pragma once

#include <QString>

class QMenu;
class QAction;
class QPoint;

namespace quorbel::editor {

// Every message box and popup menu of the dialog goes through here, so tests can script the
// answers instead of waiting on a real modal window.
class EditorPrompter {
  public:
    virtual ~EditorPrompter() = default;
    // OK/Cancel with Cancel as the default button; true for OK.
    virtual bool confirm(const QString& text, const QString& caption) = 0;
    // A message with one OK button.
    virtual void inform(const QString& text) = 0;
    // A question with two buttons, `no` the default and the answer of Esc; true for `yes`.
    virtual bool ask(const QString& text, const QString& caption, const QString& yes,
                     const QString& no) = 0;
    // Runs the popup menu at a screen point; the chosen action or null.
    virtual QAction* popup(QMenu& menu, const QPoint& globalPos) = 0;
};

class EditorMessageBoxPrompter final : public EditorPrompter {
  public:
    bool confirm(const QString& text, const QString& caption) override;
    void inform(const QString& text) override;
    bool ask(const QString& text, const QString& caption, const QString& yes,
             const QString& no) override;
    QAction* popup(QMenu& menu, const QPoint& globalPos) override;
};

}  // namespace quorbel::editor
