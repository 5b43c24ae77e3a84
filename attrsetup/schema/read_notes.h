#pragma once

#include <cstddef>
#include <vector>

namespace quorbel {

enum class SchemaFile { IndexIni, AttributeDef };

// Why a reader skipped or changed something; attrcheck turns these into its report.
enum class ReadNoteKind {
    LineSkipped,           // neither a table nor a field line (or fewer than four commas)
    FieldBeforeTable,      // a field line with no table line before it
    TableLineIncomplete,   // fewer than two commas: reading stopped, the rest is kept verbatim
    TableLineExtraCommas,  // more than three commas: no aux token, the rest is the description
    DictionaryDropped,     // a dictionary on a field whose type is not 0
    TokenCut,              // a token that held a space: the text after the space was dropped
    IgnoredAfterEnd,       // lines after the end line
    ParamNotNumber,        // a feature's param that is not a decimal number, read as 0
};

struct ReadNote {
    SchemaFile file;
    std::size_t line;  // 1-based
    ReadNoteKind kind;
};

using ReadNotes = std::vector<ReadNote>;

}  // namespace quorbel
