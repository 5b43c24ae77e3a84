// The table definition panel: the current table's name (206), kind (217), description (210) and
// field grid (201), and in its place while a table is being added the new table's set (218, 222,
// 223, 220); with the buttons that add, delete and save.
#pragma once

#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

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
    void onSaveDefinition();

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

    EditorAreaHost& m_host;
    // What edits 206 and 210 were filled with, so untouched values are written back as read.
    KeptText m_keptName;
    KeptText m_keptDescription;

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
