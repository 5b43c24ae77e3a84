#pragma once

#include <QDialog>
#include <QUndoStack>
#include <string>

#include "editor/editor_area_host.h"
#include "editor/editor_prompter.h"
#include "editor/step_view.h"
#include "schema/schema_lock.h"

class QContextMenuEvent;
class QPushButton;
class QTreeWidgetItem;

namespace quorbel::editor {
class DefinitionPanel;
class InclusionPanel;
class TableTree;
}  // namespace quorbel::editor

// The attribute structure dialog: the table tree on the left, the feature inclusion lists above
// and the table definition below. It changes the one schema in place and writes it only on OK.
// The three areas own their controls; the dialog holds what is current and tells the inclusion
// lists and the definition panel when the tree makes another table current.
class CAttrStructDlg : public QDialog, private quorbel::editor::EditorAreaHost {
    Q_OBJECT
  public:
    explicit CAttrStructDlg(quorbel::AttributeSchema& schema, QWidget* parent = nullptr);
    ~CAttrStructDlg() override;

    // Message boxes and the popup menu go through this; null restores the real message boxes.
    // The prompter must outlive the dialog or be replaced before it dies.
    void setPrompter(quorbel::editor::EditorPrompter* prompter);

    // Dialog state, GBK bytes where it holds texts.
    const std::string& currentTable() const override { return m_strCurTable; }
    const std::string& currentCategory() const { return m_strCurCategory; }
    int currentKindPlusOne() const override { return m_nCurKind; }
    bool isNewTableMode() const override { return m_bNewTable; }
    QTreeWidgetItem* currentItem() const { return m_hCurItem; }
    QTreeWidgetItem* currentParent() const { return m_hCurParent; }

    // The menu commands and button handlers, reachable by id as the menu and buttons reach them.
    void onCommand(int id);

    // Takes the editing lock beside INDEX.INI and attribute.def, or asks whether to open read-only
    // when another administrator holds it; false when the user chose not to open. exec() does this
    // first.
    bool openUnderLock();
    bool isReadOnly() const override { return m_readOnly; }
    // The undo history of this opening.
    QUndoStack& steps() { return m_steps; }

  public slots:
    int exec() override;
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // What the inclusion lists and the definition panel need of the dialog.
    quorbel::AttributeSchema& schema() override { return m_schema; }
    void setCurrentCategory(const std::string& category) override;
    void inform(const QString& text) override;
    void renameCurrentTable(const std::string& name) override;
    void insertNewTable(quorbel::AttributeTable table) override;
    void pushStep(quorbel::editor::EditorStep* step) override;

    void undoStep();
    void redoStep();
    // An in-place cell editor still open is finished first, so its edit is a step of its own.
    void finishOpenCellEdit();
    // After an undo or redo: the step's table current, and what the step saw on screen.
    void showStep(const std::string& table, const quorbel::editor::StepView& view,
                  bool schemaChanged);
    // The tree rebuilt from the schema, the table current.
    void showTableAfterStep(const std::string& table);
    void updateStepButtons();
    void makeReadOnly();
    // Asks before writing over files that changed on disk since they were read; false to stop.
    bool mayOverwriteChangedFiles();
    // Layout of the template and the opening.
    void createControls();
    void placeControls();
    bool initDialog();

    // What selecting, adding and deleting a table in the tree make current.
    bool fillTree();
    // Empties the tree and adds the root and one item per table, selecting none; first is the
    // first table's item.
    bool addTreeItems(QTreeWidgetItem*& first);
    void refreshTableView();
    void showTableMenu(const QPoint& globalPos, bool fromKeyboard);
    void beginNewTable();
    void deleteCurrentTable();

    quorbel::AttributeSchema& m_schema;
    quorbel::editor::EditorMessageBoxPrompter m_messageBoxes;
    quorbel::editor::EditorPrompter* m_prompter = &m_messageBoxes;
    bool m_initialised = false;
    bool m_readOnly = false;
    quorbel::SchemaLocks m_lock;
    QUndoStack m_steps;
    QPushButton* m_undo = nullptr;
    QPushButton* m_redo = nullptr;

    std::string m_strCurTable;
    std::string m_strCurCategory;
    int m_nCurKind = 0;
    QTreeWidgetItem* m_hCurItem = nullptr;
    QTreeWidgetItem* m_hCurParent = nullptr;
    bool m_bNewTable = false;

    // The three working areas; children of the dialog, like the controls they make.
    quorbel::editor::TableTree* m_tree = nullptr;
    quorbel::editor::InclusionPanel* m_inclusion = nullptr;
    quorbel::editor::DefinitionPanel* m_definition = nullptr;
};
