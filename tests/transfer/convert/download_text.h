#pragma once

// What a download leaves in the view when the instrument sends the given blocks: per block STX,
// the 128 characters, counter digit, check value, ETX, CR, LF, and the view's extra LF before
// every line after the first. The instrument numbers and checks its lines as the computer does.

#include <string>
#include <string_view>

#include "link/data_record.h"

namespace vrk::test {

inline std::string DownloadLine(std::string_view block, int& counter) {
    std::string line(1, '\x02');
    line += BuildDataRecord(block, counter);
    line += "\x03\r\n";
    return line;
}

// `upload` holds blocks each followed by 0x02, as the upload builders make them.
inline std::string DownloadTextOf(std::string_view upload) {
    std::string text;
    int counter = 0;
    std::size_t start = 0;
    for (std::size_t end = upload.find('\x02'); end != std::string_view::npos;
         end = upload.find('\x02', start)) {
        if (!text.empty()) {
            text += '\n';
        }
        text += DownloadLine(upload.substr(start, end - start), counter);
        start = end + 1;
    }
    return text;
}

}  // namespace vrk::test
