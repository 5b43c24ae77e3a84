// The table tree: filling it, switching tables, and its popup menu.
#include <QAction>
#include <QByteArray>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "editor/attr_struct_dlg.h"
#include "editor/dialog_template.h"
#include "editor/editor_messages.h"
#include "grid/edit_grid_ctrl.h"
#include "schema/attribute_schema.h"

using namespace quorbel::editor;

namespace {

// The label's bytes travel with the item, so a name that does not decode is found by its bytes.
constexpr int kNameRole = Qt::UserRole;

}  // namespace

QTreeWidgetItem* CAttrStructDlg::addTreeItem(QTreeWidgetItem* parent, QTreeWidgetItem* after,
                                             const std::string& name) {
    auto* item = after != nullptr ? new QTreeWidgetItem(parent, after) : new QTreeWidgetItem();
    if (after == nullptr) {
        if (parent != nullptr) {
            parent->addChild(item);
        } else {
            m_tree->addTopLevelItem(item);
        }
    }
    item->setText(0, fromGbk(name));
    item->setData(0, kNameRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    return item;
}

std::string CAttrStructDlg::itemName(const QTreeWidgetItem* item) const {
    const QByteArray bytes = item->data(0, kNameRole).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QTreeWidgetItem* CAttrStructDlg::treeItemOfTable(const std::string& name) const {
    QTreeWidgetItem* root = m_tree->topLevelItem(0);
    if (root == nullptr) {
        return nullptr;
    }
    for (int index = 0; index < root->childCount(); ++index) {
        if (itemName(root->child(index)) == name) {
            return root->child(index);
        }
    }
    return nullptr;
}

bool CAttrStructDlg::fillTree() {
    {
        const QSignalBlocker blocker(m_tree);
        m_tree->clear();
    }
    if (m_tree->topLevelItemCount() != 0) {
        return false;
    }
    m_hCurItem = nullptr;
    m_hCurParent = nullptr;
    QTreeWidgetItem* root = addTreeItem(nullptr, nullptr, kRootLabel);
    QTreeWidgetItem* first = nullptr;
    QTreeWidgetItem* last = nullptr;
    for (const quorbel::AttributeTable& table : m_schema.tables()) {
        last = addTreeItem(root, last, table.name);
        if (first == nullptr) {
            first = last;
        }
    }
    root->setExpanded(true);
    if (first != nullptr) {
        selectTreeItem(first);
        m_strCurTable = m_schema.tables().front().name;
    }
    return true;
}

void CAttrStructDlg::selectTreeItem(QTreeWidgetItem* item) {
    // Selecting from code must run refreshTableView before the caller goes on, as a click does.
    m_tree->setCurrentItem(item);
    if (item != nullptr && !item->isSelected()) {
        item->setSelected(true);
    }
}

void CAttrStructDlg::setDefinitionSetVisible(bool newTable) {
    m_grid->setVisible(!newTable);
    m_name->setVisible(!newTable);
    m_kind->setVisible(!newTable);
    m_description->setVisible(!newTable);
    m_newGrid->setVisible(newTable);
    m_newName->setVisible(newTable);
    m_newKind->setVisible(newTable);
    m_newDescription->setVisible(newTable);
}

void CAttrStructDlg::refreshTableView() {
    m_tree->setFocus();
    m_bNewTable = false;
    setDefinitionSetVisible(false);
    const std::string previous = m_strCurTable;
    m_grid->deleteAllGridRows();

    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    m_hCurItem = selected.isEmpty() ? nullptr : selected.front();
    m_hCurParent = m_hCurItem != nullptr ? m_hCurItem->parent() : nullptr;
    if (m_hCurItem == nullptr) {
        return;
    }
    m_strCurTable = itemName(m_hCurItem);
    if (m_strCurTable.empty()) {
        return;
    }
    if (m_strCurTable == kRootLabel) {
        // The root stands for no table: the one current before stays current. A table that is
        // itself named like the root shares this, because items are told apart by label only.
        m_strCurTable = previous;
    }
    showTableFields();
    const auto position = m_schema.findTable(m_strCurTable);
    if (!position) {
        return;
    }
    m_nCurKind = m_schema.tables()[*position].kind + 1;
    rebuildIncluded();
    categoryFromIncluded();
    showTableHeader();
}

void CAttrStructDlg::showTableMenu(const QPoint& globalPos, bool fromKeyboard) {
    // A keyboard request carries no point inside the tree, so it never shows the menu. An item
    // labelled like the root stands for the table current before it, not for itself: adding or
    // deleting from it would change another table than the one the tree shows.
    if (fromKeyboard || m_hCurParent == nullptr || itemName(m_hCurItem) == kRootLabel) {
        return;
    }
    const QRect treeRect(m_tree->mapToGlobal(QPoint(0, 0)), m_tree->size());
    if (!treeRect.contains(globalPos)) {
        return;
    }
    QMenu menu(QString::fromUtf8(kTableMenuTitle), this);
    menu.setObjectName(QString::number(IDR_TABLE_MENU));
    QAction* add = menu.addAction(QString::fromUtf8(kTableMenuAdd));
    add->setData(ID_TABLE_ADD);
    QAction* remove = menu.addAction(QString::fromUtf8(kTableMenuDelete));
    remove->setData(ID_TABLE_DELETE);
    if (QAction* chosen = m_prompter->popup(menu, globalPos)) {
        onCommand(chosen->data().toInt());
    }
}

void CAttrStructDlg::beginNewTable() {
    m_bNewTable = true;
    setDefinitionSetVisible(true);
    m_newName->setText(QString::fromUtf8(kNewTableName));
    m_newDescription->clear();
    m_newGrid->deleteAllGridRows();
}

void CAttrStructDlg::deleteCurrentTable() {
    if (m_hCurItem == nullptr || m_hCurParent == nullptr) {
        return;
    }
    QTreeWidgetItem* parent = m_hCurParent;
    const int index = parent->indexOfChild(m_hCurItem);
    QTreeWidgetItem* next = parent->child(index + 1);
    QTreeWidgetItem* previous = next == nullptr && index > 0 ? parent->child(index - 1) : nullptr;

    const QString text =
        QString::fromUtf8(messages::kConfirmDeleteTable).arg(fromGbk(m_strCurTable));
    if (!m_prompter->confirm(text, QString::fromUtf8(messages::kConfirmCaption))) {
        return;
    }
    m_schema.removeTable(m_strCurTable);
    {
        // The tree would pick its own successor while the item goes; the choice is made below.
        const QSignalBlocker blocker(m_tree);
        QTreeWidgetItem* doomed = m_hCurItem;
        m_hCurItem = nullptr;
        m_tree->clearSelection();
        m_tree->setCurrentItem(nullptr);
        delete doomed;
        m_tree->clearSelection();
        m_tree->setCurrentItem(nullptr);
    }
    QTreeWidgetItem* successor = next != nullptr ? next : previous;
    if (successor != nullptr) {
        selectTreeItem(successor);
        return;
    }
    // The only table is gone: nothing is current, and nothing of it stays on screen.
    refreshTableView();
    m_strCurTable.clear();
    m_nCurKind = 0;
    m_lists = InclusionLists();
    showIncluded();
    showAvailable();
    m_name->clear();
    m_description->clear();
    selectKind(*m_kind, 0);
}
