// The drop-down list that edits a cell in place with items the grid's parent supplies. One
// instance serves every grid of the process: shared() creates it on first use, destroyShared()
// (called by a grid's destructor) deletes it. Its window opens over a cell with no item selected
// and takes the focus; the edit ends the moment it loses the focus. Enter commits, Esc restores the
// old text, and closing the list part (a pick with the mouse, or closing it without one) commits
// too. After reporting the edit the window closes (posted); the object stays for the next cell.
#pragma once

#include <QComboBox>
#include <QRect>
#include <QStringList>
#include <cstdint>

#include "grid/cell_edit_session.h"

class CCellDropList : public QComboBox {
    Q_OBJECT

  public:
    static CCellDropList* shared();
    static CCellDropList* existing();
    // Deletes the shared instance, if any. An edit open on a grid other than dyingGrid is
    // reported first.
    static void destroyShared(const QWidget* dyingGrid = nullptr);

    // Opens with windowRect (the closed field over the cell plus room for the list below it, in
    // the grid's viewport coordinates) on (row, column) of grid. Reopening while the close of a
    // previous edit is pending reuses the window.
    bool open(std::uint32_t style, const QRect& windowRect, QWidget* grid, int childId, int row,
              int column, const QStringList& items, const QString& text);
    // Selects the first item that begins with prefix, ignoring case; answers its index, or -1
    // with nothing selected. An empty prefix selects nothing, so an empty cell stays empty unless
    // the user picks an item.
    int selectByPrefix(const QString& prefix);

    int row() const { return m_session.row(); }
    int column() const { return m_session.column(); }
    bool cancelled() const { return m_session.cancelled(); }
    QString oldText() const { return m_session.oldText(); }
    const QStringList& items() const { return m_items; }
    QRect windowRect() const { return m_windowRect; }
    bool windowExists() const { return m_windowExists; }
    bool isEditing() const { return m_windowExists && !m_closePending; }

    quorbel::grid::CellEditSession& session() { return m_session; }

    void showPopup() override;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    CCellDropList();
    ~CCellDropList() override;

    void initialiseWindow(std::uint32_t style);
    void returnFocusToGrid();
    void closedUp();
    void finishEdit();
    void closeWindow(unsigned generation);

    quorbel::grid::CellEditSession m_session;
    QStringList m_items;
    QRect m_windowRect;
    bool m_windowExists = false;
    bool m_closePending = false;
    bool m_popupShown = false;
    bool m_closeUpPending = false;
    bool m_destroying = false;
    unsigned m_generation = 0;
};
