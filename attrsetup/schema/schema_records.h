#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "schema/compact_text.h"

namespace quorbel {

// Capacities of the record fields in bytes (GBK: a Chinese character takes two). Values read from
// the files may be longer and are kept as they are; the editor refuses new input beyond these.
inline constexpr std::size_t kFieldNameCapacity = 39;
inline constexpr std::size_t kFieldDescriptionCapacity = 79;
inline constexpr std::size_t kDictionaryCapacity = 59;
inline constexpr std::size_t kTableNameCapacity = 39;
inline constexpr std::size_t kAuxTokenCapacity = 19;
inline constexpr std::size_t kTableDescriptionCapacity = 79;
inline constexpr std::size_t kFeatureCodeCapacity = 9;
inline constexpr std::size_t kSymbolCapacity = 21;
inline constexpr std::size_t kFeatureNameCapacity = 39;
inline constexpr std::size_t kTableReferenceCapacity = 35;
// A feature's table reference holds only 35 bytes, so the editor limits new table names to that.
inline constexpr std::size_t kEditorTableNameCapacity = kTableReferenceCapacity;

// All strings hold GBK bytes exactly as they stand in the files.
struct FieldDef {
    std::string name;
    int32_t type = 0;
    int32_t length = 0;
    int32_t decimals = 0;
    std::string description;
    std::string dictionary;  // only kept for fields of type 0

    friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

struct AttributeTable {
    std::string name;
    int32_t kind = 0;
    std::string auxToken = "NULL";  // "NULL" (any letter case, first four bytes) means absent
    std::string description;
    std::vector<FieldDef> fields;

    friend bool operator==(const AttributeTable&, const AttributeTable&) = default;
};

// A feature index may hold 100,000 of these, so the values are compact.
struct FeatureEntry {
    CompactText code;
    CompactText symbol;
    double param = 0.0;
    CompactText name;
    CompactText auxToken;
    CompactText table;  // empty = no table

    friend bool operator==(const FeatureEntry&, const FeatureEntry&) = default;
};

}  // namespace quorbel
