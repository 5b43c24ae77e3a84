#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <string>

#include "schema/schema_records.h"

namespace quorbel::editor {

// One row of a field grid as GBK texts, columns in grid order: name, type, length, decimals,
// description, dictionary.
using FieldRow = std::array<std::string, 6>;

// Which cells of a row the user typed; a cell still showing the value read from the file is not
// judged by the rules for typed text, since it is written back exactly as it was read.
using TypedCells = std::bitset<6>;
inline const TypedCells kAllTyped = TypedCells().set();

enum class FieldProblem {
    None,
    NameTooLong,
    NameSeparator,  // a comma or a space
    DescriptionTooLong,
    DescriptionSeparator,
    NumberTooLarge,  // length or decimals beyond a 32-bit integer
};

FieldRow fieldToRow(const FieldDef& field);

// The field a row stands for: unknown type names give 0, numbers are read as signed decimals, and
// only plain strings keep a dictionary. Answers the first reason the row cannot be stored
// unchanged; field is then left undefined. Name and description are checked only where typed.
FieldProblem rowToField(const FieldRow& row, FieldDef& field, const TypedCells& typed = kAllTyped);

}  // namespace quorbel::editor
