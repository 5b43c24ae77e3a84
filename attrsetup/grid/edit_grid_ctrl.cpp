#include "grid/edit_grid_ctrl.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include "grid/cell_drop_list.h"
#include "grid/cell_edit_box.h"
#include "grid/grid_constants.h"

using quorbel::grid::GridRect;

namespace {
QRect toQRect(const GridRect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

GridRect toGridRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

// Rows moved under an open editor must keep it on the row it edits.
template <typename Change>
void tellEditors(Change change) {
    if (CCellEditBox* box = CCellEditBox::existing()) {
        change(box->session());
    }
    if (CCellDropList* list = CCellDropList::existing()) {
        change(list->session());
    }
}
}  // namespace

CEditGridCtrl::CEditGridCtrl(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* header = horizontalHeader();
    // Column positions are added up in index order, so the header must never be rearranged.
    header->setSectionsMovable(false);
    header->setSectionsClickable(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setExtendedStyle(quorbel::grid::kLvsExGridLines | quorbel::grid::kLvsExFullRowSelect |
                     quorbel::grid::kLvsExTwoClickActivate);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { takeFocusBeforeScroll(); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { takeFocusBeforeScroll(); });
}

CEditGridCtrl::~CEditGridCtrl() {
    CCellDropList::destroyShared(this);
    CCellEditBox::destroyShared(this);
}

void CEditGridCtrl::setExtendedStyle(unsigned style) {
    if (style == m_extendedStyle) {
        return;
    }
    m_extendedStyle = style;
    setShowGrid((style & quorbel::grid::kLvsExGridLines) != 0);
    setSelectionBehavior((style & quorbel::grid::kLvsExFullRowSelect) != 0
                             ? QAbstractItemView::SelectRows
                             : QAbstractItemView::SelectItems);
}

int CEditGridCtrl::insertGridColumn(int index, const QString& caption, int widthPx) {
    const int position = index < 0 || index > columnCount() ? columnCount() : index;
    insertColumn(position);
    auto* headerItem = new QTableWidgetItem(caption);
    headerItem->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalHeaderItem(position, headerItem);
    setColumnWidth(position, widthPx < 0 ? 0 : widthPx);
    return position;
}

int CEditGridCtrl::gridColumnWidth(int column) const {
    return column >= 0 && column < columnCount() ? columnWidth(column) : 0;
}

bool CEditGridCtrl::setGridColumnWidth(int column, int widthPx) {
    if (column < 0 || column >= columnCount()) {
        return false;
    }
    setColumnWidth(column, widthPx < 0 ? 0 : widthPx);
    return true;
}

int CEditGridCtrl::insertGridRow(int row, const QString& text) {
    if (row < 0) {
        return -1;
    }
    const int position = row > rowCount() ? rowCount() : row;
    insertRow(position);
    tellEditors(
        [this, position](quorbel::grid::CellEditSession& s) { s.rowInserted(this, position); });
    for (int column = 0; column < columnCount(); ++column) {
        auto* item = new QTableWidgetItem(column == 0 ? text : QString());
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(position, column, item);
    }
    return position;
}

bool CEditGridCtrl::setCellText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return false;
    }
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
    } else {
        auto* created = new QTableWidgetItem(text);
        created->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(row, column, created);
    }
    return true;
}

QString CEditGridCtrl::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

bool CEditGridCtrl::deleteGridRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    removeRow(row);
    tellEditors([this, row](quorbel::grid::CellEditSession& s) { s.rowRemoved(this, row); });
    return true;
}

bool CEditGridCtrl::deleteAllGridRows() {
    setRowCount(0);
    tellEditors([this](quorbel::grid::CellEditSession& s) { s.allRowsRemoved(this); });
    return true;
}

int CEditGridCtrl::selectedGridRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

bool CEditGridCtrl::selectGridRow(int row) {
    if (row < 0 || row >= rowCount() || columnCount() == 0) {
        return false;
    }
    selectionModel()->setCurrentIndex(
        model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

bool CEditGridCtrl::ensureGridRowVisible(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    updateGeometries();
    const int top = rowViewportPosition(row);
    const int bottom = top + rowHeight(row);
    if (bottom > 0 && top < viewport()->height()) {
        return true;
    }
    // Only the vertical position changes; the sideways one is the cell rectangle's business.
    const int sideways = horizontalScrollBar()->value();
    scrollTo(model()->index(row, 0), QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(sideways);
    return true;
}

void CEditGridCtrl::SetComboColumn(int column, bool isCombo) {
    m_comboColumns.set(column, isCombo);
}

bool CEditGridCtrl::isComboColumn(int column) const {
    return m_comboColumns.contains(column);
}

void CEditGridCtrl::SetColumnFilter(const QString& filter, int column) {
    m_filters.set(filter.toStdString(), column);
}

QString CEditGridCtrl::columnFilter(int column) const {
    return QString::fromStdString(m_filters.get(column));
}

std::vector<int> CEditGridCtrl::columnWidths() const {
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(columnCount()));
    for (int column = 0; column < columnCount(); ++column) {
        widths.push_back(columnWidth(column));
    }
    return widths;
}

GridRect CEditGridCtrl::rowRect(int row) const {
    const int left = -horizontalOffset();
    const int top = rowViewportPosition(row);
    int width = 0;
    for (int column = 0; column < columnCount(); ++column) {
        width += columnWidth(column);
    }
    return {left, top, left + width, top + rowHeight(row)};
}

bool CEditGridCtrl::HitTestCell(const QPoint& point, int& row, int& column) const {
    const int hitRow = rowAt(point.y());
    if (hitRow < 0) {
        return false;
    }
    const std::vector<int> widths = columnWidths();
    const int hitColumn = quorbel::grid::HitTestCell(rowRect(hitRow), widths, point.x(), point.y());
    if (hitColumn < 0) {
        return false;
    }
    row = hitRow;
    column = hitColumn;
    return true;
}

QRect CEditGridCtrl::GetCellRect(int row, int column) {
    updateGeometries();
    const std::vector<int> widths = columnWidths();
    const GridRect before = rowRect(row);
    const quorbel::grid::CellPlacement placement =
        quorbel::grid::GetCellRect(before, toGridRect(viewport()->rect()), widths, column);
    QScrollBar* sideways = horizontalScrollBar();
    const int from = sideways->value();
    sideways->setValue(from + placement.scroll);
    // At the end of the scroll range the list moves less than asked; the editor must follow the
    // column, not the request.
    const int applied = sideways->value() - from;
    return toQRect(quorbel::grid::cellRectAfterScroll(before, widths, column, applied));
}

bool CEditGridCtrl::ShowDropList(int row, int column, const QStringList& items,
                                 const QString& text) {
    if (!ensureGridRowVisible(row)) {
        return false;
    }
    if (column < 0 || column >= columnCount() ||
        columnWidth(column) < quorbel::grid::kMinDropListWidth) {
        return false;
    }
    const QRect cell = GetCellRect(row, column);
    const QRect window =
        toQRect(quorbel::grid::dropListRect(toGridRect(cell), static_cast<int>(items.size())));
    CCellDropList* list = CCellDropList::shared();
    return list != nullptr && list->open(quorbel::grid::kDropListStyle, window, this,
                                         quorbel::grid::kEditorChildId, row, column, items, text);
}

bool CEditGridCtrl::ShowEditBox(int row, int column, const QString& text) {
    const QRect cell = GetCellRect(row, column);
    CCellEditBox* box = CCellEditBox::shared();
    return box != nullptr &&
           box->open(quorbel::grid::kEditBoxStyle, cell, this, quorbel::grid::kEditorChildId, row,
                     column, columnFilter(column), text);
}

void CEditGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    int row = -1;
    int column = -1;
    if (!HitTestCell(event->position().toPoint(), row, column)) {
        event->accept();
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
        return;
    }
    const QString text = cellText(row, column);
    if (currentRow() != row) {
        return;
    }
    if (isComboColumn(column)) {
        QStringList items;
        GridQueryItemsEvent query(column, items);
        if (QWidget* owner = parentWidget()) {
            QCoreApplication::sendEvent(owner, &query);
        }
        if (ShowDropList(row, column, items, text)) {
            CCellDropList::existing()->selectByPrefix(text);
        }
        return;
    }
    ShowEditBox(row, column, text);
}

void CEditGridCtrl::takeFocusBeforeScroll() {
    if (!hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
}

bool CEditGridCtrl::event(QEvent* event) {
    if (event->type() == WM_GRID_ENDLABELEDIT) {
        onEndLabelEdit(static_cast<GridEndLabelEditEvent*>(event)->record());
        return true;
    }
    return QTableWidget::event(event);
}

void CEditGridCtrl::onEndLabelEdit(const EndEditRecord& record) {
    if (!setCellText(record.row, record.column, record.text)) {
        return;
    }
    GridCellChangedEvent changed(m_controlId, record);
    if (QWidget* owner = parentWidget()) {
        QCoreApplication::sendEvent(owner, &changed);
    }
}
