// The table tree (control 200): a root item with one child per table, each item carrying its
// label's GBK bytes. It says when its selection changes; what becomes current is the dialog's
// business.
#pragma once

#include <QObject>
#include <string>

class QLineEdit;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace quorbel::editor {

class TableTree : public QObject {
    Q_OBJECT
  public:
    // Makes the tree control as a child of dialog.
    explicit TableTree(QWidget& dialog);

    // Empties the tree without a selection change; false when items stay.
    bool clear();
    // Adds an item labelled name under parent (at the top level when null), after `after` (at the
    // end when null).
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, QTreeWidgetItem* after,
                             const std::string& name);
    // Deletes item without a selection change and leaves nothing selected.
    void removeItem(QTreeWidgetItem* item);
    void renameItem(QTreeWidgetItem& item, const std::string& name);
    // Selects item; the selection change is told before this returns, as a click tells it.
    void select(QTreeWidgetItem* item);

    std::string itemName(const QTreeWidgetItem* item) const;
    // The root's child labelled name, or null.
    QTreeWidgetItem* itemOfTable(const std::string& name) const;
    QTreeWidgetItem* root() const;
    // The selected item, or null.
    QTreeWidgetItem* selectedItem() const;
    bool containsGlobal(const QPoint& globalPos) const;
    void focus();

  signals:
    void selectionChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Hides the tables whose names do not contain the find box's text; the root stays.
    void applyFind(QTreeWidgetItem& item) const;

    QTreeWidget* m_tree = nullptr;
    QLineEdit* m_findBox = nullptr;
    std::string m_find;  // GBK
};

}  // namespace quorbel::editor
