#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "editor/editor_prompter.h"
#include "editor/inclusion_lists.h"
#include "editor/widget_text.h"

class QComboBox;
class QContextMenuEvent;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class CEditGridCtrl;

namespace quorbel {
class AttributeSchema;
struct FieldDef;
}  // namespace quorbel

// The attribute structure dialog: the table tree on the left, the feature inclusion lists above
// and the table definition below. It changes the one schema in place and writes it only on OK.
class CAttrStructDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAttrStructDlg(quorbel::AttributeSchema& schema, QWidget* parent = nullptr);
    ~CAttrStructDlg() override;

    // Message boxes and the popup menu go through this; null restores the real message boxes.
    // The prompter must outlive the dialog or be replaced before it dies.
    void setPrompter(quorbel::editor::EditorPrompter* prompter);

    // Dialog state, GBK bytes where it holds texts.
    const std::string& currentTable() const { return m_strCurTable; }
    const std::string& currentCategory() const { return m_strCurCategory; }
    int currentKindPlusOne() const { return m_nCurKind; }
    bool isNewTableMode() const { return m_bNewTable; }
    QTreeWidgetItem* currentItem() const { return m_hCurItem; }
    QTreeWidgetItem* currentParent() const { return m_hCurParent; }

    // The menu commands and button handlers, reachable by id as the menu and buttons reach them.
    void onCommand(int id);

  public slots:
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout of the template and the opening.
    void createControls();
    void placeControls();
    bool initDialog();

    // Table tree.
    bool fillTree();
    void refreshTableView();
    void showTableMenu(const QPoint& globalPos, bool fromKeyboard);
    void beginNewTable();
    void deleteCurrentTable();
    QTreeWidgetItem* addTreeItem(QTreeWidgetItem* parent, QTreeWidgetItem* after,
                                 const std::string& name);
    std::string itemName(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* treeItemOfTable(const std::string& name) const;
    void selectTreeItem(QTreeWidgetItem* item);
    void setDefinitionSetVisible(bool newTable);

    // Inclusion lists.
    void fillCategories();
    void rebuildIncluded();
    void refillAvailable(const std::string& prefix);
    void categoryFromIncluded();
    void onCategoryChanged();
    void onInclude();
    void onExclude();
    void showMove(std::size_t moved, QListWidget& from, QListWidget& to);
    void onSaveInclusion();
    void showAvailable();
    void showIncluded();
    void takeSelection();

    // Table definition panel.
    void setUpGrids();
    void setUpGrid(CEditGridCtrl& grid);
    void showTableFields();
    void showTableHeader();
    void fillKindCombo(QComboBox& combo);
    void selectKind(QComboBox& combo, int kindPlusOne);
    int selectedKind(const QComboBox& combo) const;
    CEditGridCtrl& visibleGrid() const;
    void onAddField();
    void onDeleteField();
    void onSaveDefinition();
    void saveCurrentTable();
    void saveNewTable();
    bool readText(const QLineEdit& edit, const quorbel::editor::KeptText& kept, std::string& bytes,
                  bool& typed);
    bool readFields(CEditGridCtrl& grid, std::vector<quorbel::FieldDef>& fields);
    bool checkTableName(const std::string& name);
    bool checkTableDescription(const std::string& description);
    void queryItems(int column, QStringList& items) const;
    void inform(const QString& text);

    quorbel::AttributeSchema& m_schema;
    quorbel::editor::EditorMessageBoxPrompter m_messageBoxes;
    quorbel::editor::EditorPrompter* m_prompter = &m_messageBoxes;
    quorbel::editor::InclusionLists m_lists;
    // What edits 206 and 210 were filled with, so untouched values are written back as read.
    quorbel::editor::KeptText m_keptName;
    quorbel::editor::KeptText m_keptDescription;
    bool m_initialised = false;

    std::string m_strCurTable;
    std::string m_strCurCategory;
    int m_nCurKind = 0;
    QTreeWidgetItem* m_hCurItem = nullptr;
    QTreeWidgetItem* m_hCurParent = nullptr;
    bool m_bNewTable = false;

    QTreeWidget* m_tree = nullptr;
    QComboBox* m_category = nullptr;
    QListWidget* m_available = nullptr;
    QListWidget* m_included = nullptr;
    CEditGridCtrl* m_grid = nullptr;
    CEditGridCtrl* m_newGrid = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_newName = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_newDescription = nullptr;
    QComboBox* m_kind = nullptr;
    QComboBox* m_newKind = nullptr;
};
