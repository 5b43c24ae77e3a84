#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "schema/read_notes.h"
#include "schema/schema_records.h"

namespace quorbel {

struct AttributeDefContent {
    std::vector<AttributeTable> tables;
    // From an incomplete table line up to the end line, verbatim; written back after the tables.
    std::string unreadText;
    std::size_t incompleteLine = 0;  // 1-based line of that table line; 0 when none
};

// The bytes of attribute.def (LF or CR LF) into tables.
AttributeDefContent parseAttributeDef(std::string_view bytes, ReadNotes* notes = nullptr);
// The tables as attribute.def bytes, CR LF, ending with the end line.
std::string formatAttributeDef(const std::vector<AttributeTable>& tables,
                               std::string_view unreadText = {});

}  // namespace quorbel
