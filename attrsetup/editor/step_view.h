// What the dialog shows of edits that are not in the schema yet: the rows of a field grid before
// 保存, the table begun with 添加, the included list before its 保存. A step keeps what the user
// saw before and after it, so undo and redo show each of these edits one at a time, and undoing a
// save brings back the edits it had taken in.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "editor/field_grid_cells.h"
#include "editor/inclusion_lists.h"

namespace quorbel::editor {

struct FieldGridView {
    bool newTableGrid = false;  // grid 220 of the new table, else grid 201 of the current table
    FieldGridRows rows;
};

// The new table's set of controls, as it stood when the table was saved.
struct NewTableForm {
    QString name;
    QString description;
    int kindIndex = -1;
    QString kindText;
    FieldGridRows rows;
};

struct InclusionView {
    std::vector<FeatureLine> included;
    std::string prefix;  // of the category whose features the available list offered
    int categoryIndex = -1;
};

struct StepView {
    std::optional<FieldGridView> grid;
    std::optional<NewTableForm> newTable;
    std::optional<InclusionView> lists;
};

inline StepView showingGrid(FieldGridView grid) {
    StepView view;
    view.grid = std::move(grid);
    return view;
}
inline StepView showingNewTable(NewTableForm form) {
    StepView view;
    view.newTable = std::move(form);
    return view;
}
inline StepView showingLists(InclusionView lists) {
    StepView view;
    view.lists = std::move(lists);
    return view;
}

}  // namespace quorbel::editor
