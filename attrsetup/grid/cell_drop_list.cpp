#include "grid/cell_drop_list.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

#include "grid/cell_geometry.h"
#include "grid/grid_constants.h"
#include "grid/grid_events.h"

namespace {
CCellDropList* g_dropList = nullptr;
}  // namespace

CCellDropList* CCellDropList::shared() {
    if (g_dropList == nullptr) {
        g_dropList = new CCellDropList();
    }
    return g_dropList;
}

CCellDropList* CCellDropList::existing() {
    return g_dropList;
}

void CCellDropList::destroyShared(const QWidget* dyingGrid) {
    CCellDropList* list = g_dropList;
    if (list == nullptr) {
        return;
    }
    g_dropList = nullptr;
    if (list->isEditing() && list->m_session.grid() != dyingGrid) {
        list->finishEdit();
    }
    delete list;
}

CCellDropList::CCellDropList() : QComboBox(nullptr) {
    hide();
    // Items keep the order the parent supplies; nothing is typed into the field.
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    // Arrow keys in the closed field also report activation; only a pick from the list commits.
    connect(this, &QComboBox::activated, this, [this] {
        if (m_closeUpPending) {
            returnFocusToGrid();
        }
    });
}

CCellDropList::~CCellDropList() {
    m_destroying = true;
}

bool CCellDropList::open(std::uint32_t style, const QRect& windowRect, QWidget* grid, int childId,
                         int row, int column, const QStringList& items, const QString& text) {
    if (grid == nullptr) {
        return false;
    }
    if (isEditing()) {
        finishEdit();
    }
    m_session.begin(grid, childId, row, column, text);
    m_items = items;
    m_windowRect = windowRect;
    ++m_generation;
    m_closePending = false;
    m_closeUpPending = false;
    initialiseWindow(style);
    m_windowExists = true;
    setCurrentIndex(-1);
    return true;
}

void CCellDropList::initialiseWindow(std::uint32_t style) {
    QWidget* host = quorbel::grid::editorHost(m_session.grid());
    if (parentWidget() != host) {
        setParent(host);
    }
    // The window rectangle reserves the list part below the closed field: one row for the field
    // and dropListRows() rows for the list.
    const int rows = quorbel::grid::dropListRows(static_cast<int>(m_items.size()));
    const int fieldHeight = m_windowRect.height() / (rows + 1);
    setFrame((style & quorbel::grid::kWsBorder) != 0);
    setGeometry(m_windowRect.left(), m_windowRect.top(), m_windowRect.width(), fieldHeight);
    setMaxVisibleItems(rows);
    setFont(m_session.grid()->font());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    clear();
    addItems(m_items);
    view()->installEventFilter(this);
    view()->window()->installEventFilter(this);
}

int CCellDropList::selectByPrefix(const QString& prefix) {
    int found = -1;
    if (!prefix.isEmpty()) {
        for (int i = 0; i < count(); ++i) {
            if (itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
                found = i;
                break;
            }
        }
    }
    setCurrentIndex(found);
    return found;
}

void CCellDropList::showPopup() {
    m_popupShown = true;
    QComboBox::showPopup();
}

bool CCellDropList::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isCommitKey(key->key()) || key->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QComboBox::event(event);
}

bool CCellDropList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && isEditing()) {
        // Esc in the open list cancels the edit as it does in the closed field.
        m_session.cancel();
    }
    if (watched == view()->window() && event->type() == QEvent::Hide && m_popupShown) {
        m_popupShown = false;
        closedUp();
    }
    return QComboBox::eventFilter(watched, event);
}

// The list part hides before a mouse pick becomes the current item, so an uncancelled close-up
// commits only once the pick has landed; a pick itself commits at once through activated().
void CCellDropList::closedUp() {
    if (!isEditing()) {
        return;
    }
    if (m_session.cancelled()) {
        returnFocusToGrid();
        return;
    }
    m_closeUpPending = true;
    const unsigned generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_generation && m_closeUpPending) {
                returnFocusToGrid();
            }
        },
        Qt::QueuedConnection);
}

void CCellDropList::returnFocusToGrid() {
    m_closeUpPending = false;
    if (!isEditing()) {
        return;
    }
    if (QWidget* grid = m_session.grid()) {
        grid->setFocus(Qt::OtherFocusReason);
    }
    // The focus may already have been elsewhere (the list part held it); the edit ends anyway.
    if (isEditing()) {
        finishEdit();
    }
}

void CCellDropList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || isCommitKey(event->key())) {
        if (event->key() == Qt::Key_Escape) {
            m_session.cancel();
        }
        event->accept();
        returnFocusToGrid();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CCellDropList::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The open list part takes the focus; the edit goes on in it.
    if (m_destroying || !isEditing() || event->reason() == Qt::PopupFocusReason || m_popupShown) {
        return;
    }
    finishEdit();
}

void CCellDropList::finishEdit() {
    m_closePending = true;
    m_session.report(currentIndex() >= 0 ? currentText() : QString());
    const unsigned generation = m_generation;
    QMetaObject::invokeMethod(
        this, [this, generation] { closeWindow(generation); }, Qt::QueuedConnection);
}

void CCellDropList::closeWindow(unsigned generation) {
    if (generation != m_generation || !m_closePending) {
        return;
    }
    m_closePending = false;
    m_windowExists = false;
    hidePopup();
    hide();
}
