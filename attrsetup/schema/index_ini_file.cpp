#include "schema/index_ini_file.h"

#include <array>

#include "schema/file_format.h"
#include "schema/gbk_letter_case.h"
#include "schema/line_splitter.h"
#include "schema/value_scan.h"

namespace quorbel {
namespace {

using namespace file_format;

void noteInIndex(ReadNotes* notes, std::size_t line, ReadNoteKind kind) {
    if (notes != nullptr) {
        notes->push_back({SchemaFile::IndexIni, line, kind});
    }
}

// Stops at the commas it needs: the count pass runs over every line of the file.
bool isFeatureLine(std::string_view line) {
    std::size_t pos = 0;
    for (std::size_t k = 0; k < kMinFeatureCommas; ++k) {
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            return false;
        }
        pos = comma + 1;
    }
    return true;
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

// Fills a record already in place in the list: moving 100,000 records of short strings into the
// list costs a copy of each string's bytes. The line is walked once for its commas.
void parseFeatureLine(std::string_view line, std::size_t lineNumber, ReadNotes* notes,
                      FeatureEntry& feature) {
    constexpr std::size_t kLastField = 5;
    // afterComma[k]: the text after the k-th comma, empty when the line has fewer.
    std::array<std::string_view, kLastField + 1> afterComma{line};
    std::size_t commas = 0;
    for (std::size_t pos = 0; commas <= kLastField;) {
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            break;
        }
        pos = comma + 1;
        if (++commas <= kLastField) {
            afterComma[commas] = line.substr(pos);
        }
    }
    feature.code.assign(readToken(line));
    feature.symbol.assign(readToken(afterComma[1]));
    if (!readReal(afterComma[2], feature.param)) {
        noteInIndex(notes, lineNumber, ReadNoteKind::ParamNotNumber);
    }
    feature.name.assign(readToken(afterComma[3]));
    feature.auxToken.assign(readToken(afterComma[4]));
    if (commas > kMinFeatureCommas) {
        feature.table.assign(readToken(afterComma[kLastField]));
    }
    for (const std::string_view field : afterComma) {
        if (tokenIsCut(field)) {
            noteInIndex(notes, lineNumber, ReadNoteKind::TokenCut);
            break;
        }
    }
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
                noteInIndex(notes, lines.lineNumber(), ReadNoteKind::IgnoredAfterEnd);
            }
            break;
        }
        if (isFeatureLine(line)) {
            parseFeatureLine(line, lines.lineNumber(), notes, features.emplace_back());
        } else if (!isBlank(line)) {
            noteInIndex(notes, lines.lineNumber(), ReadNoteKind::LineSkipped);
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
