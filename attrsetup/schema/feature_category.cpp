#include "schema/feature_category.h"

#include <algorithm>
#include <array>

#include "schema/file_format.h"
#include "schema/gbk_letter_case.h"
#include "schema/gbk_text.h"

namespace quorbel {
namespace {

// A category is told by the first two bytes of a feature code.

struct Utf8Category {
    std::string_view name;
    std::string_view prefix;
};

constexpr std::array<Utf8Category, 11> kCategories{{
    {"控制点", "13"},
    {"居民地", "14"},
    {"独立地物", "15"},
    {"交通设施", "16"},
    {"管线设施", "17"},
    {"水系设施", "18"},
    {"境界线", "19"},
    {"地貌土质", "20"},
    {"植被园林", "21"},
    {"地籍信息", "30"},
    {"地类信息", "31"},
}};

}  // namespace

const std::vector<FeatureCategory>& featureCategories() {
    static const std::vector<FeatureCategory> categories = [] {
        std::vector<FeatureCategory> list;
        for (const auto& c : kCategories) {
            list.push_back({utf8ToGbk(c.name), std::string(c.prefix)});
        }
        return list;
    }();
    return categories;
}

void categoryPrefix(std::string_view gbkName, std::string& prefix) {
    for (const auto& c : featureCategories()) {
        if (c.name == gbkName) {
            prefix = c.prefix;
            return;
        }
    }
}

void categoryName(std::string_view prefix, std::string& gbkName) {
    for (const auto& c : featureCategories()) {
        if (c.prefix == prefix) {
            gbkName = c.name;
            return;
        }
    }
}

bool codeHasPrefix(std::string_view code, std::string_view prefix) {
    if (prefix.empty()) {
        return false;
    }
    return equalsIgnoreAsciiCase(
        code.substr(0, std::min(code.size(), file_format::kCategoryPrefixLength)),
        prefix.substr(0, std::min(prefix.size(), file_format::kCategoryPrefixLength)));
}

bool codeHasCategory(std::string_view code) {
    const auto& list = featureCategories();
    return std::any_of(list.begin(), list.end(),
                       [code](const FeatureCategory& c) { return codeHasPrefix(code, c.prefix); });
}

}  // namespace quorbel
