#pragma once

#include <cstddef>
#include <string_view>

#include "import/delimited_reader.h"
#include "import/import_result.h"

namespace vrk {

struct ImportOptions {
    DelimitedOptions delimited;
    std::size_t maxTextBytes = static_cast<std::size_t>(-1);
};

// The format the content shows (never the file's name): GSI words, SDR records, else delimited
// text.
ImportFormat DetectImportFormat(std::string_view bytes);

// The file read as `format` into DELF lines.
ImportResult ImportSurveyFile(std::string_view bytes, ImportFormat format,
                              const ImportOptions& options);

// "GSI", "SDR", "CSV": the word the command line and the dialog use for a format.
std::string_view ImportFormatWord(ImportFormat format);

}  // namespace vrk
