// A report-view list whose cells are edited in place: a double-click opens the shared drop-down
// (CCellDropList) over cells of drop-down columns and the shared edit box (CCellEditBox) over the
// others. When an edit ends the grid stores the text and sends WM_GRID_CELLCHANGED to its parent;
// for drop-down columns it first asks the parent for the items with WM_GRID_QUERYITEMS (see
// grid_events.h). The grid holds texts only and knows nothing of what its rows mean.
//
// Rows and columns are addressed by index, and the header cannot be rearranged, so what is on
// screen is in index order. Coordinates are those of the list's viewport (its client area).
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <vector>

#include "grid/cell_geometry.h"
#include "grid/column_filters.h"
#include "grid/combo_columns.h"
#include "grid/grid_events.h"

class CEditGridCtrl : public QTableWidget {
    Q_OBJECT

  public:
    explicit CEditGridCtrl(QWidget* parent = nullptr);
    // Destroys both shared editors (the drop-down first); the next grid to edit creates them anew.
    ~CEditGridCtrl() override;

    // The child-window id sent as gridId() with WM_GRID_CELLCHANGED.
    void setControlId(int id) { m_controlId = id; }
    int controlId() const { return m_controlId; }

    // Grid lines (0x01) and full-row selection (0x20) take effect; two-click activation (0x80) is
    // how the grid works anyway. The grid starts with 0xA1.
    void setExtendedStyle(unsigned style);
    unsigned extendedStyle() const { return m_extendedStyle; }

    // Inserts a left-aligned column before index (at the end when index is past it); answers the
    // new column's index.
    int insertGridColumn(int index, const QString& caption, int widthPx);
    int gridColumnCount() const { return columnCount(); }
    int gridColumnWidth(int column) const;
    bool setGridColumnWidth(int column, int widthPx);

    // Inserts a row before row (at the end when row is past it) with text in column 0; answers the
    // new row's index, -1 when row is negative.
    int insertGridRow(int row, const QString& text);
    bool setCellText(int row, int column, const QString& text);
    QString cellText(int row, int column) const;
    int gridRowCount() const { return rowCount(); }
    bool deleteGridRow(int row);
    bool deleteAllGridRows();

    // The selected row, -1 when none.
    int selectedGridRow() const;
    // Makes row the only selected row and the focused one.
    bool selectGridRow(int row);
    // Scrolls vertically until row is at least partly visible; false for a row that does not exist.
    bool ensureGridRowVisible(int row);

    // Declares or undeclares a drop-down column.
    void SetComboColumn(int column, bool isCombo);
    bool isComboColumn(int column) const;
    // The characters the edit box accepts in column; empty accepts all. Column -1 sets all 100
    // filters; any other column outside 0..99 is ignored.
    void SetColumnFilter(const QString& filter, int column);
    QString columnFilter(int column) const;

    // The cell under a viewport point; false when there is none (below the last row, right of the
    // last column). A point on the border between two columns belongs to the left one.
    bool HitTestCell(const QPoint& point, int& row, int& column) const;
    // The cell's rectangle in viewport coordinates after scrolling the column into view sideways.
    QRect GetCellRect(int row, int column);
    // Open an editor over a cell as a double-click does; false when it does not open.
    bool ShowDropList(int row, int column, const QStringList& items, const QString& text);
    bool ShowEditBox(int row, int column, const QString& text);

  protected:
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void takeFocusBeforeScroll();
    void onEndLabelEdit(const EndEditRecord& record);
    std::vector<int> columnWidths() const;
    quorbel::grid::GridRect rowRect(int row) const;

    int m_controlId = 0;
    unsigned m_extendedStyle = 0;
    quorbel::grid::ComboColumns m_comboColumns;
    quorbel::grid::ColumnFilters m_filters;
};
