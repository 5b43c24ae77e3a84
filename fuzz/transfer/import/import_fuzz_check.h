#pragma once

// What every import must answer on any bytes: whole DELF lines, one per point, within the bound
// it was given; or a message and no text.
#include <algorithm>
#include <cstddef>

#include "fuzz_check.h"
#include "import/import_result.h"

inline void CheckImport(const vrk::ImportResult& result, std::size_t bound) {
    fuzzCheck(result.notes.size() <= vrk::kMaxImportNotes);
    fuzzCheck(result.text.size() <= bound);
    if (!result.ok) {
        fuzzCheck(result.text.empty());
        fuzzCheck(!result.message.empty());
        return;
    }
    fuzzCheck(result.points > 0);
    fuzzCheck(result.text.size() >= 2 &&
              result.text.compare(result.text.size() - 2, 2, "\r\n") == 0);
    fuzzCheck(static_cast<std::size_t>(std::count(result.text.begin(), result.text.end(), '\n')) ==
              result.points);
}
