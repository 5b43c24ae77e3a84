// The table definition panel: the current table's name (206), kind (217), description (210) and
// field grid (201), and in its place while a table is being added the new table's set (218, 222,
// 223, 220); with the buttons that add, delete and save.
#pragma once

#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

#include "editor/step_view.h"
#include "editor/widget_text.h"

class QComboBox;
class QLineEdit;
class QWidget;
class CEditGridCtrl;

namespace quorbel {
struct FieldDef;
}  // namespace quorbel

namespace quorbel::editor {

class EditorAreaHost;

class DefinitionPanel : public QObject {
    Q_OBJECT
  public:
    // Makes the panel's controls as children of dialog, the grids with their columns.
    DefinitionPanel(QWidget& dialog, EditorAreaHost& host);

    // Shows the new table's set of controls, or the current table's.
    void setDefinitionSetVisible(bool newTable);
    void setUpGrids();
    void fillKindCombos(int kindPlusOne);
    // Empties the current table's grid.
    void clearFields();
    void showTableFields();
    void showTableHeader();
    // Empties the current table's name, description and kind, as when no table is left.
    void clearHeader();
    // Shows the new table's set, filled for a new table.
    void beginNewTable();
    // The drop-down items of column, for the visible grid while it has the focus.
    void queryItems(int column, QStringList& items) const;

    void onAddField();
    void onDeleteField();
    // Moves the selected row of the visible grid one row up (-1) or down (+1).
    void onMoveField(int delta);
    void onSaveDefinition();
    // A cell edit of grid gridId ended and the grid holds its text: one step of the history.
    void onCellChanged(int gridId);

    // The visible grid's rows, and the new table's set, as they stand and back as an undo step
    // saw them. Showing a grid's rows does not change the mode; the dialog sets that first.
    FieldGridView gridView() const;
    void showGridView(const FieldGridView& view);
    NewTableForm newTableForm() const;
    void showNewTableForm(const NewTableForm& form);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setUpGrid(CEditGridCtrl& grid);
    void fillKindCombo(QComboBox& combo);
    void selectKind(QComboBox& combo, int kindPlusOne);
    int selectedKind(const QComboBox& combo) const;
    CEditGridCtrl& visibleGrid() const;
    void saveCurrentTable();
    void saveNewTable();
    bool readText(const QLineEdit& edit, const KeptText& kept, std::string& bytes, bool& typed);
    bool readFields(CEditGridCtrl& grid, std::vector<quorbel::FieldDef>& fields);
    bool checkTableName(const std::string& name);
    bool checkTableDescription(const std::string& description);
    // Makes the change of the visible grid that change does one step of the history.
    template <typename Step, typename Change>
    void gridStep(Change change);

    EditorAreaHost& m_host;
    // What edits 206 and 210 were filled with, so untouched values are written back as read.
    KeptText m_keptName;
    KeptText m_keptDescription;
    // The rows of the grid whose cell editor is closing, taken before it writes the cell.
    FieldGridRows m_beforeCellEdit;
    const CEditGridCtrl* m_cellEditGrid = nullptr;

    CEditGridCtrl* m_grid = nullptr;
    CEditGridCtrl* m_newGrid = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_newName = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_newDescription = nullptr;
    QComboBox* m_kind = nullptr;
    QComboBox* m_newKind = nullptr;
};

}  // namespace quorbel::editor
