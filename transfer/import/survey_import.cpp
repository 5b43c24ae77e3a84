#include "import/survey_import.h"

#include "import/gsi_reader.h"
#include "import/sdr_reader.h"
#include "import/text_lines.h"

namespace vrk {

namespace {

// A GSI block starts with a word: two digits, four information characters, a sign.
bool LooksLikeGsi(std::string_view line) {
    if (!line.empty() && line.front() == '*') {
        line.remove_prefix(1);
    }
    return line.size() >= 15 && IsDigit(line[0]) && IsDigit(line[1]) &&
           (line[6] == '+' || line[6] == '-');
}

// An SDR record starts with two digits and a two-letter derivation code; the file with its
// header "00NM".
bool LooksLikeSdr(std::string_view line) {
    const auto isCodeChar = [](char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z'); };
    return line.size() >= 8 && IsDigit(line[0]) && IsDigit(line[1]) && isCodeChar(line[2]) &&
           isCodeChar(line[3]) && (line.substr(0, 4) == "00NM" || line[2] != ' ');
}

}  // namespace

ImportFormat DetectImportFormat(std::string_view bytes) {
    std::string_view first;
    ForEachTextLine(bytes, [&](std::string_view line, std::size_t) {
        first = line;
        return TrimBlanks(line).empty();
    });
    if (LooksLikeGsi(first)) {
        return ImportFormat::Gsi;
    }
    if (first.substr(0, 4) == "00NM" ||
        (LooksLikeSdr(first) && first.find(',') == first.npos && first.find(';') == first.npos)) {
        return ImportFormat::Sdr;
    }
    return ImportFormat::Delimited;
}

ImportResult ImportSurveyFile(std::string_view bytes, ImportFormat format,
                              const ImportOptions& options) {
    switch (format) {
        case ImportFormat::Gsi:
            return ReadGsi(bytes, options.maxTextBytes);
        case ImportFormat::Sdr:
            return ReadSdr(bytes, options.maxTextBytes);
        case ImportFormat::Delimited:
            break;
    }
    return ReadDelimited(bytes, options.delimited, options.maxTextBytes);
}

std::string_view ImportFormatWord(ImportFormat format) {
    switch (format) {
        case ImportFormat::Gsi:
            return "GSI";
        case ImportFormat::Sdr:
            return "SDR";
        case ImportFormat::Delimited:
            break;
    }
    return "CSV";
}

}  // namespace vrk
