#include "grid/cell_edit_session.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>

#include "grid/grid_events.h"

namespace quorbel::grid {

void CellEditSession::begin(QWidget* grid, int childId, int row, int column,
                            const QString& oldText) {
    m_grid = grid;
    m_childId = childId;
    m_row = row;
    m_column = column;
    m_cancelled = false;
    m_oldText = oldText;
}

void CellEditSession::report(const QString& currentText) const {
    if (m_grid.isNull() || m_row < 0) {
        return;
    }
    EndEditRecord record;
    record.sourceWindow = m_grid;
    record.sourceId = m_childId;
    record.code = LVN_ENDLABELEDIT;
    record.row = m_row;
    record.column = m_column;
    record.text = m_cancelled ? m_oldText : currentText;
    GridEndLabelEditEvent event(record);
    QCoreApplication::sendEvent(m_grid, &event);
}

void CellEditSession::rowInserted(const QWidget* grid, int row) {
    if (grid == m_grid && m_row >= 0 && row <= m_row) {
        ++m_row;
    }
}

void CellEditSession::rowRemoved(const QWidget* grid, int row) {
    if (grid != m_grid || m_row < 0) {
        return;
    }
    if (row == m_row) {
        m_row = -1;
    } else if (row < m_row) {
        --m_row;
    }
}

void CellEditSession::allRowsRemoved(const QWidget* grid) {
    if (grid == m_grid) {
        m_row = -1;
    }
}

QWidget* editorHost(QWidget* grid) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(grid)) {
        return area->viewport();
    }
    return grid;
}

}  // namespace quorbel::grid
