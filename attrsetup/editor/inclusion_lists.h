#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quorbel {
class AttributeSchema;
}

namespace quorbel::editor {

struct FeatureLine {
    std::string text;  // GBK bytes: code, padding, name
    std::string key;   // the code
    bool selected = false;
};

// The available and the included list of the dialog, without widgets. The included keys are kept
// in a hash multiset (one entry per included line), so every "is it included" question is a
// lookup: refilling the available list stays linear in the features of one category, however
// large the index.
class InclusionLists {
  public:
    const std::vector<FeatureLine>& available() const { return m_available; }
    const std::vector<FeatureLine>& included() const { return m_included; }

    void rebuildIncluded(const AttributeSchema& schema, std::string_view table);
    // The included list as an undo step saw it; the available list is refilled after it.
    void setIncluded(std::vector<FeatureLine> lines);
    // Features of the category whose symbol fits the kind and whose code is not included yet.
    void refillAvailable(const AttributeSchema& schema, std::string_view prefix, int32_t kind);
    // The first two bytes of the first included line; empty when nothing is included.
    std::string firstIncludedPrefix() const;

    void setAvailableSelection(const std::vector<std::size_t>& rows);
    void setIncludedSelection(const std::vector<std::size_t>& rows);

    // Moves the selected available lines, bottom-up, to the end of the included list, stopping at
    // the first line whose code is included already. Answers how many lines moved; nothing
    // reaches the schema until saveInclusion.
    std::size_t include();
    // Moves the selected included lines, bottom-up, to the end of the available list and releases
    // their codes in the schema at once. Answers how many lines moved.
    std::size_t exclude(AttributeSchema& schema);
    // The same move without the schema: the codes to release, in the order they moved.
    std::size_t excludeLines(std::vector<std::string>& codes);
    void saveInclusion(AttributeSchema& schema, std::string_view table) const;

  private:
    void removeIncludedKey(const std::string& key);
    bool isIncluded(const std::string& key) const;

    std::vector<FeatureLine> m_available;
    std::vector<FeatureLine> m_included;
    std::unordered_multiset<std::string> m_includedKeys;
};

}  // namespace quorbel::editor
