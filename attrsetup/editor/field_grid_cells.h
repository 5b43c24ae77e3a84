// Grid cells that keep the bytes they were filled with, so a value the user did not touch is
// written back as it was read, even where GBK and the screen's text do not map one to one.
#pragma once

#include <string>

class CEditGridCtrl;

namespace quorbel::editor {

void keepInCell(CEditGridCtrl& grid, int row, int column, const std::string& bytes);
// A copied cell keeps what its source kept, so a copy of an untouched value is untouched too.
void copyCell(CEditGridCtrl& grid, int from, int to, int column);
// The bytes of a cell: the kept ones while the text is unchanged; typed tells which.
bool cellBytes(const CEditGridCtrl& grid, int row, int column, std::string& bytes, bool& typed);

}  // namespace quorbel::editor
