#include "schema/candidate_features.h"

#include "schema/feature_category.h"
#include "schema/table_kind.h"

namespace quorbel {

std::vector<std::size_t> candidateFeatures(
    const AttributeSchema& schema, std::string_view prefix, int32_t kind,
    const std::unordered_multiset<std::string>* excludedCodes) {
    std::vector<std::size_t> candidates;
    const auto& features = schema.features();
    for (const std::size_t p : schema.featuresWithPrefix(prefix)) {
        const FeatureEntry& feature = features[p];
        if (!codeHasPrefix(feature.code, prefix) || !symbolFitsKind(feature.symbol, kind)) {
            continue;
        }
        if (excludedCodes != nullptr && excludedCodes->count(std::string(feature.code)) != 0) {
            continue;
        }
        candidates.push_back(p);
    }
    return candidates;
}

}  // namespace quorbel
