#pragma once

#include <string>
#include <vector>

namespace quorbel {
class AttributeSchema;
}

namespace quorbel::editor {

// Positions of every feature with one of the codes, in index order without repeats: what
// assigning or releasing those codes may change.
std::vector<std::size_t> featuresWithCodes(const AttributeSchema& schema,
                                           const std::vector<std::string>& codes);

}  // namespace quorbel::editor
