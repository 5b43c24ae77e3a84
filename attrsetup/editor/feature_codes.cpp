#include "editor/feature_codes.h"

#include <algorithm>

#include "schema/attribute_schema.h"

namespace quorbel::editor {

std::vector<std::size_t> featuresWithCodes(const AttributeSchema& schema,
                                           const std::vector<std::string>& codes) {
    std::vector<std::size_t> positions;
    for (const std::string& code : codes) {
        const auto& withCode = schema.featuresWithCode(code);
        positions.insert(positions.end(), withCode.begin(), withCode.end());
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

}  // namespace quorbel::editor
