#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// A category of the feature index: the first two bytes of a feature code (GBK texts).
struct FeatureCategory {
    std::string name;
    std::string prefix;
};

// The eleven categories in the order of the editor's category list.
const std::vector<FeatureCategory>& featureCategories();

// Sets prefix for an exact category name; leaves it unchanged for any other name.
void categoryPrefix(std::string_view gbkName, std::string& prefix);
// Sets name for an exact prefix; leaves it unchanged for any other prefix.
void categoryName(std::string_view prefix, std::string& gbkName);

// The first two bytes of code equal prefix, ASCII letters folded; an empty prefix matches nothing.
bool codeHasPrefix(std::string_view code, std::string_view prefix);
// The code belongs to one of the eleven categories.
bool codeHasCategory(std::string_view code);

}  // namespace quorbel
