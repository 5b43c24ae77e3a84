#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "schema_records.h"

namespace quorbel::editor {

// One row of a field grid as GBK texts, columns in grid order: name, type, length, decimals,
// description, dictionary.
using FieldRow = std::array<std::string, 6>;

enum class FieldProblem {
    None,
    NameTooLong,
    NameSeparator,  // a comma or a space
    DescriptionTooLong,
    DescriptionSeparator,
    NumberTooLarge,  // length or decimals beyond a 32-bit integer
};

FieldRow fieldToRow(const FieldDef& field);

// The field a row stands for: unknown type names give 0, numbers are read from their leading
// digits, and only plain strings keep a dictionary. Answers the first reason the row cannot be
// stored unchanged; field is then left undefined.
FieldProblem rowToField(const FieldRow& row, FieldDef& field);

}  // namespace quorbel::editor
