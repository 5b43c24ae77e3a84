#include "grid_test_dialog.h"

#include <QPushButton>

#include "grid/grid_events.h"

namespace {
struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {{"字段名", 50},   {"类型", 70}, {"长度", 40},
                               {"小数位数", 60}, {"说明", 80}, {"字典", 90}};

CEditGridCtrl* makeGrid(QWidget* parent, int id, const QRect& place) {
    auto* grid = new CEditGridCtrl(parent);
    grid->setControlId(id);
    grid->setGeometry(place);
    grid->setExtendedStyle(0xA1);
    int index = 0;
    for (const Column& column : kColumns) {
        grid->insertGridColumn(index++, QString::fromUtf8(column.caption), column.width);
    }
    grid->SetColumnFilter(QString(), 0);
    grid->SetColumnFilter(QStringLiteral("0123456789"), 2);
    grid->SetComboColumn(1, true);
    grid->SetComboColumn(3, true);
    grid->SetComboColumn(5, true);
    return grid;
}
}  // namespace

GridTestDialog::GridTestDialog() {
    resize(520, 420);
    // The first grid is narrower than its columns so that it scrolls sideways; the second is
    // wider, leaving room right of the last column.
    m_grid = makeGrid(this, kGridId, QRect(10, 10, 220, 160));
    m_newGrid = makeGrid(this, kNewGridId, QRect(10, 190, 480, 160));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(300, 370, 80, 30);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(400, 370, 80, 30);
    connect(m_ok, &QPushButton::clicked, this, [this] { ++okPresses; });
    connect(cancel, &QPushButton::clicked, this, [this] { ++cancelPresses; });
}

bool GridTestDialog::event(QEvent* event) {
    if (event->type() == WM_GRID_QUERYITEMS) {
        auto* query = static_cast<GridQueryItemsEvent*>(event);
        queriedColumns.push_back(query->column());
        query->items() = m_items.value(query->column());
        return true;
    }
    if (event->type() == WM_GRID_CELLCHANGED) {
        auto* changed = static_cast<GridCellChangedEvent*>(event);
        const EndEditRecord& record = changed->record();
        changes.push_back({changed->gridId(), record.row, record.column, record.text});
        return true;
    }
    return QDialog::event(event);
}
