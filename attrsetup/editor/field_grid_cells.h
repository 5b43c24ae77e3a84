// Grid cells that keep the bytes they were filled with, so a value the user did not touch is
// written back as it was read, even where GBK and the screen's text do not map one to one.
#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <string>
#include <vector>

class CEditGridCtrl;

namespace quorbel::editor {

void keepInCell(CEditGridCtrl& grid, int row, int column, const std::string& bytes);
// A copied cell keeps what its source kept, so a copy of an untouched value is untouched too.
void copyCell(CEditGridCtrl& grid, int from, int to, int column);
// The bytes of a cell: the kept ones while the text is unchanged; typed tells which.
bool cellBytes(const CEditGridCtrl& grid, int row, int column, std::string& bytes, bool& typed);

// What a grid shows, with what each cell keeps, so an undo puts back the very bytes a row
// stood for.
struct GridCell {
    QString text;
    QVariant keptShown;
    QVariant keptBytes;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};
struct FieldGridRows {
    std::vector<std::array<GridCell, 6>> rows;
    int selectedRow = -1;
    // Equal when the rows are; the selection is where the user was, not what he changed.
    bool sameRows(const FieldGridRows& other) const { return rows == other.rows; }
};
FieldGridRows gridRows(const CEditGridCtrl& grid);
void showGridRows(CEditGridCtrl& grid, const FieldGridRows& rows);

}  // namespace quorbel::editor
