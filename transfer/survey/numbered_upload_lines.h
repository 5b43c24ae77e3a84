#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "link/upload_lines.h"

namespace vrk {

// A line as the upload commands see it (see ForEachUploadLine), with where it stands in the view:
// its 1-based line number and the byte offset at which it starts.
struct NumberedLine {
    std::string_view text;
    std::size_t number = 0;
    std::size_t offset = 0;
};

// What an empty line cut off: the upload reads nothing after it.
struct UnreadTail {
    std::size_t firstLine = 0;  // the first line with content after the empty one; 0: none
    std::vector<std::size_t> contentLines;  // numbers of the lines with content after it
};

// Walks the lines the upload would read, and tells what it would never read.
template <typename OnLine>
UnreadTail ForEachNumberedUploadLine(std::string_view viewText, OnLine&& onLine);

// A line of nothing but blanks and CRs: not data, and not worth a word.
bool IsBlankLine(std::string_view line);

// The lines of `rest`, which starts at line `firstNumber`, that have content.
UnreadTail ContentLinesOf(std::string_view rest, std::size_t firstNumber);

template <typename OnLine>
UnreadTail ForEachNumberedUploadLine(std::string_view viewText, OnLine&& onLine) {
    std::size_t number = 0;
    std::size_t offset = 0;
    ForEachUploadLine(viewText, [&](std::string_view line) {
        onLine(NumberedLine{line, ++number, offset});
        offset += line.size() + 1;
    });
    if (offset >= viewText.size()) {
        return {};
    }
    // The empty line that ended the reading is the next one; what follows it is never sent.
    return ContentLinesOf(viewText.substr(offset + 1), number + 2);
}

}  // namespace vrk
