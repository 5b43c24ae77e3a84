// What an in-place editor remembers about the cell it edits, and how it reports the end of the
// edit to the grid. Shared by the edit box and the drop-down.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace quorbel::grid {

class CellEditSession {
  public:
    // Starts an edit of (row, column) of grid; the cell's text is the old text.
    void begin(QWidget* grid, int childId, int row, int column, const QString& oldText);
    void cancel() { m_cancelled = true; }

    QWidget* grid() const { return m_grid; }
    int row() const { return m_row; }
    int column() const { return m_column; }
    bool cancelled() const { return m_cancelled; }
    const QString& oldText() const { return m_oldText; }

    // Sends the end-of-edit record to the grid, synchronously: the old text when cancelled, else
    // currentText. Nothing is sent when the grid is gone or the edited row no longer exists.
    void report(const QString& currentText) const;

    // Keep the edited row pointing at the same data when the grid's rows move underneath.
    void rowInserted(const QWidget* grid, int row);
    void rowRemoved(const QWidget* grid, int row);
    void allRowsRemoved(const QWidget* grid);

  private:
    QPointer<QWidget> m_grid;
    int m_childId = 0;
    int m_row = -1;
    int m_column = -1;
    bool m_cancelled = false;
    QString m_oldText;
};

// The widget an editor is placed in: the grid's viewport when the grid scrolls, else the grid.
QWidget* editorHost(QWidget* grid);

}  // namespace quorbel::grid
