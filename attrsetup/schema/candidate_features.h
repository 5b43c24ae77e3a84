#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "schema/attribute_schema.h"

namespace quorbel {

// Positions of the features whose code has the category prefix and whose symbol fits the kind, in
// index order; empty for Undefined. Codes in excludedCodes (the editor's included list) are left
// out, so the editor does not have to compare every candidate with every included line. The walk
// covers only the features of that prefix.
std::vector<std::size_t> candidateFeatures(
    const AttributeSchema& schema, std::string_view prefix, int32_t kind,
    const std::unordered_multiset<std::string>* excludedCodes = nullptr);

}  // namespace quorbel
