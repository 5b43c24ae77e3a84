#pragma once

// A coordinate download of a given least size, as the instrument would send a survey of numbered
// points: the input of the conversion benchmarks.

#include <cstddef>
#include <string>

#include "download_text.h"
#include "link/upload_lines.h"

namespace vrk::bench {

// Built piece by piece: GCC 12 at -O3 warns falsely about chains of string additions.
inline void AppendPoint(std::string& lines, int i) {
    const std::string number = std::to_string(i);
    for (int k = 0; k < 2; ++k) {
        lines += 'P';
        lines += number;
        lines += ',';
    }
    lines += std::to_string(3500 + i % 997);
    lines += ".125,";
    lines += std::to_string(8100 + i % 613);
    lines += ".250,-";
    lines += std::to_string(i % 90);
    lines += ".375\r\n";
}

inline std::string CoordDownloadOfAtLeast(std::size_t bytes) {
    std::string lines;
    std::string download;
    for (int i = 0; download.size() < bytes; ++i) {
        for (int j = 0; j < 500; ++j, ++i) {
            AppendPoint(lines, i);
        }
        download = vrk::test::DownloadTextOf(vrk::BuildCoordUpload(lines));
    }
    return download;
}

}  // namespace vrk::bench
