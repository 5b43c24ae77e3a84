#include "grid/grid_events.h"

GridQueryItemsEvent::GridQueryItemsEvent(int column, QStringList& items)
    : QEvent(WM_GRID_QUERYITEMS), m_column(column), m_items(items) {}

GridQueryItemsEvent::~GridQueryItemsEvent() = default;

GridCellChangedEvent::GridCellChangedEvent(int gridId, const EndEditRecord& record)
    : QEvent(WM_GRID_CELLCHANGED), m_gridId(gridId), m_record(record) {}

GridCellChangedEvent::~GridCellChangedEvent() = default;

GridEndLabelEditEvent::GridEndLabelEditEvent(const EndEditRecord& record)
    : QEvent(WM_GRID_ENDLABELEDIT), m_record(record) {}

GridEndLabelEditEvent::~GridEndLabelEditEvent() = default;
