#include "editor/field_row.h"

#include "editor/text_rules.h"
#include "schema/field_catalogue.h"
#include "schema/value_scan.h"

namespace quorbel::editor {

namespace {
constexpr TextRule kFieldNameRule{kFieldNameCapacity, false};
constexpr TextRule kFieldDescriptionRule{kFieldDescriptionCapacity, false};
}  // namespace

FieldRow fieldToRow(const FieldDef& field) {
    FieldRow row;
    row[0] = field.name;
    fieldTypeName(field.type, row[1]);
    row[2] = std::to_string(field.length);
    row[3] = std::to_string(field.decimals);
    row[4] = field.description;
    row[5] = field.dictionary;
    return row;
}

FieldProblem rowToField(const FieldRow& row, FieldDef& field, const TypedCells& typed) {
    switch (typed[0] ? checkText(row[0], kFieldNameRule) : TextProblem::None) {
        case TextProblem::None:
            break;
        case TextProblem::TooLong:
            return FieldProblem::NameTooLong;
        case TextProblem::Comma:
        case TextProblem::Space:
            return FieldProblem::NameSeparator;
    }
    switch (typed[4] ? checkText(row[4], kFieldDescriptionRule) : TextProblem::None) {
        case TextProblem::None:
            break;
        case TextProblem::TooLong:
            return FieldProblem::DescriptionTooLong;
        case TextProblem::Comma:
        case TextProblem::Space:
            return FieldProblem::DescriptionSeparator;
    }
    field.name = row[0];
    field.type = fieldTypeCode(row[1]);
    // Read as the file reader reads them, so a value shown as read comes back as it was; a number
    // the reader would saturate is refused rather than silently changed.
    const ScannedInteger length = scanInteger(row[2]);
    const ScannedInteger decimals = scanInteger(row[3]);
    if (length.overflowed || decimals.overflowed) {
        return FieldProblem::NumberTooLarge;
    }
    field.length = length.value;
    field.decimals = decimals.value;
    field.description = row[4];
    field.dictionary = field.type == 0 ? row[5] : std::string();
    return FieldProblem::None;
}

}  // namespace quorbel::editor
