#include "schema/index_ini_file.h"

#include <algorithm>
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

// The line's values as split by its first commas: one walk over the line finds them all.
struct FeatureLineValues {
    static constexpr std::size_t kLastValue = 5;
    // Value k runs from start[k] to end[k]; the table value, the last, ends at the next comma.
    std::array<std::size_t, kLastValue + 1> start{};
    std::array<std::size_t, kLastValue + 1> end{};
    std::size_t commas = 0;
};

FeatureLineValues splitFeatureLine(std::string_view line) {
    FeatureLineValues values;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ',') {
            continue;
        }
        values.end[values.commas] = i;
        if (++values.commas > FeatureLineValues::kLastValue) {
            return values;
        }
        values.start[values.commas] = i + 1;
    }
    values.end[values.commas] = line.size();
    // Values beyond the last comma are empty.
    for (std::size_t k = values.commas + 1; k <= FeatureLineValues::kLastValue; ++k) {
        values.start[k] = values.end[k] = line.size();
    }
    return values;
}

// Fills a record already in place in the list: moving 100,000 records of short strings into the
// list costs a copy of each string's bytes.
void parseFeatureLine(std::string_view line, const FeatureLineValues& values,
                      std::size_t lineNumber, ReadNotes* notes, FeatureEntry& feature) {
    const auto value = [&](std::size_t k) {
        return line.substr(values.start[k], values.end[k] - values.start[k]);
    };
    // Each value ends at its comma, so reading a token and checking it for a cut walk only that
    // value's bytes, once.
    bool cut = false;
    feature.code.assign(readToken(value(0), cut));
    feature.symbol.assign(readToken(value(1), cut));
    readToken(value(2), cut);
    if (!readReal(value(2), feature.param)) {
        noteInIndex(notes, lineNumber, ReadNoteKind::ParamNotNumber);
    }
    feature.name.assign(readToken(value(3), cut));
    feature.auxToken.assign(readToken(value(4), cut));
    if (values.commas > kMinFeatureCommas) {
        feature.table.assign(readToken(value(FeatureLineValues::kLastValue), cut));
    }
    if (cut) {
        noteInIndex(notes, lineNumber, ReadNoteKind::TokenCut);
    }
}

}  // namespace

std::vector<FeatureEntry> parseIndexIni(std::string_view bytes, ReadNotes* notes) {
    std::vector<FeatureEntry> features;
    // Room for a feature on every line, so storing 100,000 features never reallocates. Room not
    // used is never touched, so blank and skipped lines cost nothing but address space.
    features.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
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
        const FeatureLineValues values = splitFeatureLine(line);
        if (values.commas >= kMinFeatureCommas) {
            parseFeatureLine(line, values, lines.lineNumber(), notes, features.emplace_back());
        } else if (!isBlank(line)) {
            noteInIndex(notes, lines.lineNumber(), ReadNoteKind::LineSkipped);
        }
    }
    return features;
}

std::string formatIndexIni(const std::vector<FeatureEntry>& features) {
    std::string out;
    formatIndexIni(features, out);
    return out;
}

void formatIndexIni(const std::vector<FeatureEntry>& features, std::string& out) {
    // The room out has is used when it holds the values and the shortest params ("0.0000"): a
    // file written back much as it was read fits the room it was read into. Otherwise the room is
    // made once, with space for longer params.
    constexpr std::size_t kSeparators = 4 + kLineEnd.size();
    constexpr std::size_t kShortestParam = 2 + kParamDecimals;
    constexpr std::size_t kLongParam = 8 + kParamDecimals;
    std::size_t size = kIndexIniEnd.size() + kLineEnd.size();
    for (const FeatureEntry& feature : features) {
        const std::size_t tableComma = feature.table.empty() ? 0 : 1;
        size += feature.code.size() + feature.symbol.size() + feature.name.size() +
                feature.auxToken.size() + tableComma + feature.table.size() + kSeparators +
                kShortestParam;
    }
    out.clear();
    if (out.capacity() < size) {
        out.reserve(size + features.size() * (kLongParam - kShortestParam));
    }
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
        appendFixed(out, feature.param, kParamDecimals);
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
}

}  // namespace quorbel
