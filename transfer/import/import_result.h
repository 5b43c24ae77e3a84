#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vrk {

enum class ImportFormat { Gsi, Sdr, Delimited };

// One line of the import report: a record that gave no point, or a point kept with something
// missing. `text` is UTF-8.
struct ImportNote {
    std::size_t line = 0;  // 1-based line of the file
    bool skipped = false;  // the record gave no point
    std::string text;
};

struct ImportResult {
    bool ok = false;
    std::string text;  // DELF lines "name,code,Y,X,H", GBK, CR LF
    std::size_t points = 0;
    std::size_t skipped = 0;        // records that gave no point, all of them
    std::vector<ImportNote> notes;  // the first kMaxImportNotes, in line order
    std::size_t notesLeftOut = 0;
    std::string message;  // UTF-8, when !ok: why nothing was read and where reading stopped
};

// The report keeps this many lines; a file of a million bad records still reads in bounded memory.
inline constexpr std::size_t kMaxImportNotes = 1000;

}  // namespace vrk
