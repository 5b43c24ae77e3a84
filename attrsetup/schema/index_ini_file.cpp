#include "schema/index_ini_file.h"

#include "schema/file_format.h"
#include "schema/gbk_letter_case.h"
#include "schema/line_splitter.h"
#include "schema/value_scan.h"

namespace quorbel {
namespace {

using namespace file_format;

void note(ReadNotes* notes, std::size_t line, ReadNoteKind kind) {
    if (notes != nullptr) {
        notes->push_back({SchemaFile::IndexIni, line, kind});
    }
}

bool isFeatureLine(std::string_view line) {
    return countCommas(line) >= kMinFeatureCommas;
}

std::size_t countFeatureLines(std::string_view bytes) {
    std::size_t count = 0;
    LineSplitter lines(bytes);
    std::string_view line;
    while (lines.next(line) && !startsWithIgnoreAsciiCase(line, kIndexIniEnd)) {
        if (isFeatureLine(line)) {
            ++count;
        }
    }
    return count;
}

FeatureEntry parseFeatureLine(std::string_view line, std::size_t lineNumber, ReadNotes* notes) {
    FeatureEntry feature;
    feature.code = std::string(readToken(line));
    feature.symbol = std::string(readToken(afterComma(line, 1)));
    if (!readReal(afterComma(line, 2), feature.param)) {
        note(notes, lineNumber, ReadNoteKind::ParamNotNumber);
    }
    feature.name = std::string(readToken(afterComma(line, 3)));
    feature.auxToken = std::string(readToken(afterComma(line, 4)));
    if (countCommas(line) > kMinFeatureCommas) {
        feature.table = std::string(readToken(afterComma(line, 5)));
    }
    for (std::size_t k = 0; k <= 5; ++k) {
        if (tokenIsCut(k == 0 ? line : afterComma(line, k))) {
            note(notes, lineNumber, ReadNoteKind::TokenCut);
            break;
        }
    }
    return feature;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

std::vector<FeatureEntry> parseIndexIni(std::string_view bytes, ReadNotes* notes) {
    std::vector<FeatureEntry> features;
    // Counting first sizes the list once, so storing 100,000 features never reallocates.
    features.reserve(countFeatureLines(bytes));
    LineSplitter lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        if (startsWithIgnoreAsciiCase(line, kIndexIniEnd)) {
            std::string_view rest;
            if (lines.next(rest)) {
                note(notes, lines.lineNumber(), ReadNoteKind::IgnoredAfterEnd);
            }
            break;
        }
        if (isFeatureLine(line)) {
            features.push_back(parseFeatureLine(line, lines.lineNumber(), notes));
        } else if (!isBlank(line)) {
            note(notes, lines.lineNumber(), ReadNoteKind::LineSkipped);
        }
    }
    return features;
}

std::string formatIndexIni(const std::vector<FeatureEntry>& features) {
    std::string out;
    out.reserve(features.size() * 48);
    for (const FeatureEntry& feature : features) {
        // A code beginning with the end word would end the next reading at this line; the reader
        // skips leading spaces of a token, so one space keeps the line a feature line.
        if (startsWithIgnoreAsciiCase(feature.code, kIndexIniEnd)) {
            out += ' ';
        }
        out += feature.code;
        out += ',';
        out += feature.symbol;
        out += ',';
        out += formatFixed(feature.param, kParamDecimals);
        out += ',';
        out += feature.name;
        out += ',';
        out += feature.auxToken;
        if (!feature.table.empty()) {
            out += ',';
            out += feature.table;
        }
        out += kLineEnd;
    }
    out += kIndexIniEnd;
    out += kLineEnd;
    return out;
}

}  // namespace quorbel
