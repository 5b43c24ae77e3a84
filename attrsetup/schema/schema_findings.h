#pragma once

#include <string>
#include <vector>

#include "schema/attribute_schema.h"
#include "schema/read_notes.h"

namespace quorbel {

// Lines of one kind in one file that the readers skipped or changed, so that the next save does
// not write them back as they were: INDEX.INI lines that are not feature lines, attribute.def
// lines too short for a field or before the first table, the text after either file's end line,
// values cut at a space, dictionaries dropped from fields that are not strings, and params that
// are not numbers (saved as 0).
struct LinesNotWrittenBack {
    SchemaFile file;
    ReadNoteKind kind;
    std::vector<std::size_t> lines;  // 1-based, in file order; after the end line, the first one
};

// One entry per file and kind, INDEX.INI first.
std::vector<LinesNotWrittenBack> linesNotWrittenBack(const ReadNotes& notes);

// What a CAD administrator wants to know about a loaded schema, one UTF-8 line per finding: lines
// the readers skipped, features naming a missing table, duplicate table names, unused tables,
// values over their capacity, unknown field types and feature codes of no category.
std::vector<std::string> schemaFindings(const AttributeSchema& schema);

}  // namespace quorbel
