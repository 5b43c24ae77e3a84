#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/coord_record.h"
#include "link/pcode_record.h"

namespace vrk {

// Calls `onLine` for each line of `viewText` followed by CR LF, as the upload commands see them:
// a line runs up to its LF and keeps its CR; an empty line ends the text.
template <typename OnLine>
void ForEachUploadLine(std::string_view viewText, OnLine&& onLine);

// A DELF line "name,code,Y,X,H" (exactly four commas) as a coordinate record; nullopt for any
// other line.
std::optional<CoordRecord> ParseCoordLine(std::string_view line);

// A line "number,text" as a PCODE record (CRs removed first); nullopt without a comma.
std::optional<PcodeRecord> ParsePcodeLine(std::string_view line);

// The upload buffer for the view's text: the records packed into blocks, each followed by 0x02.
std::string BuildCoordUpload(std::string_view viewText);
std::string BuildPcodeUpload(std::string_view viewText);

template <typename OnLine>
void ForEachUploadLine(std::string_view viewText, OnLine&& onLine) {
    // The text is read as if CR LF followed it; only its last line needs a copy for that, which
    // keeps a large survey from being copied whole.
    std::size_t start = 0;
    std::size_t lf = viewText.find('\n');
    for (; lf != std::string_view::npos && lf > start; lf = viewText.find('\n', start)) {
        onLine(viewText.substr(start, lf - start));
        start = lf + 1;
    }
    if (lf == std::string_view::npos) {
        const std::string last = std::string(viewText.substr(start)) + '\r';
        onLine(std::string_view(last));
    }
}

}  // namespace vrk
