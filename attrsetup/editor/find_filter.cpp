#include "editor/find_filter.h"
#include <algorithm>

#include "editor/inclusion_lists.h"

namespace quorbel::editor {
namespace {

bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

unsigned char foldedAscii(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Whether needle stands at the start of text; both start on a character.
bool startsWith(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < needle.size();) {
        const auto n = static_cast<unsigned char>(needle[i]);
        const auto t = static_cast<unsigned char>(text[i]);
        if (isLeadByte(n) && i + 1 < needle.size()) {
            if (n != t || needle[i + 1] != text[i + 1]) {
                return false;
            }
            i += 2;
        } else {
            if (foldedAscii(n) != foldedAscii(t)) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

}  // namespace

bool gbkContains(std::string_view text, std::string_view needle) {
    if (needle.empty()) {
        return true;
    }
    for (std::size_t i = 0; i + needle.size() <= text.size();) {
        if (startsWith(text.substr(i), needle)) {
            return true;
        }
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2u : 1u;
    }
    return false;
}

bool featureLineMatches(const FeatureLine& line, std::string_view needle) {
    std::string_view name = std::string_view(line.text).substr(line.key.size());
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    return gbkContains(line.key, needle) || gbkContains(name, needle);
}

}  // namespace quorbel::editor
