#include "editor/table_tree.h"

#include <QByteArray>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "editor/dialog_controls.h"
#include "editor/dialog_template.h"
#include "editor/find_filter.h"
#include "editor/widget_text.h"

namespace quorbel::editor {

namespace {

// The label's bytes travel with the item, so a name that does not decode is found by its bytes.
constexpr int kNameRole = Qt::UserRole;

}  // namespace

TableTree::TableTree(QWidget& dialog) : QObject(&dialog) {
    m_findBox = makeEdit(dialog, IDC_TREE_FIND);
    m_findBox->setPlaceholderText(QString::fromUtf8(kTreeFindPlaceholder));
    m_findBox->setClearButtonEnabled(true);
    connect(m_findBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!toGbk(text, m_find)) {
            m_find = std::string(1, '\0');  // no name contains it
        }
        if (QTreeWidgetItem* top = root()) {
            for (int index = 0; index < top->childCount(); ++index) {
                applyFind(*top->child(index));
            }
        }
    });
    m_tree = new QTreeWidget(&dialog);
    m_tree->setObjectName(idName(IDC_TABLE_TREE));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setRootIsDecorated(true);
    m_tree->setItemsExpandable(true);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] { emit selectionChanged(); });
    m_tree->viewport()->installEventFilter(this);
}

bool TableTree::eventFilter(QObject* watched, QEvent* event) {
    // The tree's menu works on the current table, so a right click must not select the item
    // under the pointer first; the context menu event still follows the press.
    if (watched == m_tree->viewport()) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
            type == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

bool TableTree::clear() {
    {
        const QSignalBlocker blocker(m_tree);
        m_tree->clear();
    }
    return m_tree->topLevelItemCount() == 0;
}

QTreeWidgetItem* TableTree::addItem(QTreeWidgetItem* parent, QTreeWidgetItem* after,
                                    const std::string& name) {
    auto* item = after != nullptr ? new QTreeWidgetItem(parent, after) : new QTreeWidgetItem();
    if (after == nullptr) {
        if (parent != nullptr) {
            parent->addChild(item);
        } else {
            m_tree->addTopLevelItem(item);
        }
    }
    renameItem(*item, name);
    if (parent != nullptr) {
        applyFind(*item);
    }
    return item;
}

void TableTree::applyFind(QTreeWidgetItem& item) const {
    item.setHidden(!m_find.empty() && !gbkContains(itemName(&item), m_find));
}

void TableTree::removeItem(QTreeWidgetItem* item) {
    // The tree would pick its own successor while the item goes; the caller chooses one.
    const QSignalBlocker blocker(m_tree);
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
    delete item;
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
}

void TableTree::renameItem(QTreeWidgetItem& item, const std::string& name) {
    item.setText(0, fromGbk(name));
    item.setData(0, kNameRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

void TableTree::select(QTreeWidgetItem* item) {
    m_tree->setCurrentItem(item);
    if (item != nullptr && !item->isSelected()) {
        item->setSelected(true);
    }
}

std::string TableTree::itemName(const QTreeWidgetItem* item) const {
    const QByteArray bytes = item->data(0, kNameRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QTreeWidgetItem* TableTree::itemOfTable(const std::string& name) const {
    QTreeWidgetItem* top = root();
    if (top == nullptr) {
        return nullptr;
    }
    for (int index = 0; index < top->childCount(); ++index) {
        if (itemName(top->child(index)) == name) {
            return top->child(index);
        }
    }
    return nullptr;
}

QTreeWidgetItem* TableTree::root() const {
    return m_tree->topLevelItem(0);
}

QTreeWidgetItem* TableTree::selectedItem() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

bool TableTree::containsGlobal(const QPoint& globalPos) const {
    return QRect(m_tree->mapToGlobal(QPoint(0, 0)), m_tree->size()).contains(globalPos);
}

void TableTree::focus() {
    m_tree->setFocus();
}

}  // namespace quorbel::editor
