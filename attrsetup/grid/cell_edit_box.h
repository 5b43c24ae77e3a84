// The single-line box that edits a cell in place, with an optional per-column character filter.
// One instance serves every grid of the process: shared() creates it on first use, destroyShared()
// (called by a grid's destructor) deletes it. Its window opens over a cell, takes the focus, and
// ends the edit the moment it loses the focus: Enter commits, Esc restores the old text, and both
// are kept from the surrounding dialog. After reporting the edit the window closes (posted); the
// object stays for the next cell.
#pragma once

#include <QLineEdit>
#include <cstdint>

#include "grid/cell_edit_session.h"

class CCellEditBox : public QLineEdit {
    Q_OBJECT

  public:
    // The shared instance, created when there is none yet.
    static CCellEditBox* shared();
    // The shared instance, or null.
    static CCellEditBox* existing();
    // Deletes the shared instance, if any. An edit open on a grid other than dyingGrid is
    // reported first, so that grid keeps what the user typed.
    static void destroyShared(const QWidget* dyingGrid = nullptr);

    // Opens over rect (in the grid's viewport coordinates) on (row, column) of grid with the
    // cell's text. Reopening while the close of a previous edit is pending reuses the window.
    bool open(std::uint32_t style, const QRect& rect, QWidget* grid, int childId, int row,
              int column, const QString& filter, const QString& text);

    int row() const { return m_session.row(); }
    int column() const { return m_session.column(); }
    bool cancelled() const { return m_session.cancelled(); }
    QString oldText() const { return m_session.oldText(); }
    QString filter() const { return m_filter; }
    // True while the window exists: open over a cell, or closed but with the close still pending.
    bool windowExists() const { return m_windowExists; }
    // True while an edit is open and not yet reported.
    bool isEditing() const { return m_windowExists && !m_closePending; }

    quorbel::grid::CellEditSession& session() { return m_session; }

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    CCellEditBox();
    ~CCellEditBox() override;

    void initialiseWindow(std::uint32_t style, const QRect& rect);
    void finishEdit();
    void closeWindow(unsigned generation);
    // The typed text with refused characters removed, beeping once for each.
    QString filtered(const QString& typed) const;
    bool refusesControlKey(const QKeyEvent* event) const;

    quorbel::grid::CellEditSession m_session;
    QString m_filter;
    bool m_windowExists = false;
    bool m_closePending = false;
    bool m_destroying = false;
    unsigned m_generation = 0;
};
