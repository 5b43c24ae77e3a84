#include "import/delimited_reader.h"

#include <algorithm>
#include <array>
#include <optional>

#include "import/delf_output.h"
#include "import/import_texts.h"
#include "import/text_lines.h"
#include "text/gbk_text_codec.h"

namespace vrk {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::array kDelimiters{',', '\t', ';'};
const std::vector<ColumnRole> kDelfColumns{ColumnRole::Name, ColumnRole::Code, ColumnRole::East,
                                           ColumnRole::North, ColumnRole::Height};

// UTF-8 to UTF-16 with LF line breaks; a byte that starts no valid sequence becomes U+FFFD.
std::u16string Utf16Of(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        // The view's encoding writes a line break as CR LF; a CR of the text's own would double.
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
            ++i;
            continue;
        }
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length != 0 && i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += static_cast<char16_t>(kReplacement);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

bool IsNumber(std::string_view cell) {
    return ParseWrittenNumber(cell).has_value();
}

// The delimiter used most in the first lines; a header of one word says nothing alone.
char FindDelimiter(std::string_view text) {
    constexpr std::size_t kLinesLookedAt = 10;
    std::string_view head = text;
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' && ++lines == kLinesLookedAt) {
            head = text.substr(0, at);
            break;
        }
    }
    char best = kBlanksDelimiter;
    std::size_t most = 0;
    for (const char d : kDelimiters) {
        const auto count = static_cast<std::size_t>(std::count(head.begin(), head.end(), d));
        if (count > most) {
            most = count;
            best = d;
        }
    }
    return best;
}

std::string_view FirstLine(std::string_view text) {
    std::string_view first;
    ForEachTextLine(text, [&](std::string_view line, std::size_t) {
        first = line;
        return TrimBlanks(line).empty();
    });
    return first;
}

// Without a header or a map: DELF's own order when there are five cells or more; with fewer,
// the code goes first, then the name, while the coordinates stay.
std::vector<ColumnRole> DefaultColumns(const std::vector<std::string>& firstLine) {
    using enum ColumnRole;
    switch (firstLine.size()) {
        case 4:
            return {Name, East, North, Height};
        case 3:
            return IsNumber(firstLine[0]) ? std::vector{East, North, Height}
                                          : std::vector{Name, East, North};
        case 2:
            return {East, North};
        default:
            return kDelfColumns;
    }
}

bool HasRole(const std::vector<ColumnRole>& columns, ColumnRole role) {
    return std::find(columns.begin(), columns.end(), role) != columns.end();
}

class DelimitedReader {
  public:
    DelimitedReader(const DelimitedLayout& layout, LengthUnit unit, std::size_t maxTextBytes)
        : layout_(layout), unit_(unit), out_(maxTextBytes) {}

    ImportResult read(std::string_view text, std::size_t unencodableLine) {
        if (unencodableLine != 0) {
            out_.note(unencodableLine, import_texts::kNotGbk);
        }
        if (!HasRole(layout_.columns, ColumnRole::East) ||
            !HasRole(layout_.columns, ColumnRole::North)) {
            return out_.fail(FillIn(import_texts::kNotDelimited, 1, import_texts::kWhyNoColumns));
        }
        bool headerToSkip = layout_.header;
        std::optional<ImportResult> failed;
        ForEachTextLine(text, [&](std::string_view line, std::size_t number) {
            if (TrimBlanks(line).empty()) {
                return true;
            }
            if (headerToSkip) {
                headerToSkip = false;
                return true;
            }
            if (!takeRow(SplitDelimitedLine(line, layout_.delimiter), number)) {
                failed = out_.fail(FillIn(import_texts::kNotDelimited, number, why_));
                return false;
            }
            return !out_.full();
        });
        return failed ? std::move(*failed) : out_.finish();
    }

  private:
    // False when the row shows the text is not of this layout at all.
    bool takeRow(const std::vector<std::string>& cells, std::size_t line) {
        ImportedPoint point;
        std::string_view east;
        std::string_view north;
        std::string_view height;
        for (std::size_t i = 0; i < layout_.columns.size() && i < cells.size(); ++i) {
            const std::string_view cell = TrimBlanks(cells[i]);
            switch (layout_.columns[i]) {
                case ColumnRole::Name:
                    point.name = cell;
                    break;
                case ColumnRole::Code:
                    point.code = cell;
                    break;
                case ColumnRole::East:
                    east = cell;
                    break;
                case ColumnRole::North:
                    north = cell;
                    break;
                case ColumnRole::Height:
                    height = cell;
                    break;
                case ColumnRole::Ignore:
                    break;
            }
        }
        std::string why;
        const std::optional<std::int64_t> e = Millimetres(east, import_texts::kEasting, why);
        std::optional<std::int64_t> n;
        if (e) {
            n = Millimetres(north, import_texts::kNorthing, why);
        }
        std::optional<std::int64_t> h;
        if (n && !height.empty()) {
            h = Millimetres(height, import_texts::kHeight, why);
        }
        if (!n || (!height.empty() && !h)) {
            if (out_.points() == 0 && out_.skippedNone()) {
                why_ = why;
                return false;
            }
            out_.skip(line, why);
            return true;
        }
        point.east = *e;
        point.north = *n;
        point.height = h;
        out_.add(point, line);
        return true;
    }

    std::optional<std::int64_t> Millimetres(std::string_view cell, const char* what,
                                            std::string& why) const {
        const auto number = ParseWrittenNumber(cell);
        const auto millimetres = number ? ToMillimetres(*number, unit_) : std::nullopt;
        if (!millimetres) {
            why = number         ? FillIn(import_texts::kOutOfRange, what)
                  : cell.empty() ? FillIn(import_texts::kMissing, what)
                                 : FillIn(import_texts::kBadNumber, what, cell);
        }
        return millimetres;
    }

    DelimitedLayout layout_;
    LengthUnit unit_;
    DelfOutput out_;
    std::string why_;
};

}  // namespace

std::string DelimitedTextAsGbk(std::string_view bytes, std::size_t& firstUnencodableLine) {
    firstUnencodableLine = 0;
    if (bytes.substr(0, kUtf8Mark.size()) != kUtf8Mark) {
        return std::string(bytes);
    }
    const std::u16string text = Utf16Of(bytes.substr(kUtf8Mark.size()));
    EncodeResult encoded = EncodeViewText(text);
    if (encoded.unencodable) {
        const auto upTo = text.begin() + static_cast<std::ptrdiff_t>(*encoded.unencodable);
        firstUnencodableLine = 1 + static_cast<std::size_t>(std::count(text.begin(), upTo, u'\n'));
    }
    return std::move(encoded.bytes);
}

std::vector<std::string> SplitDelimitedLine(std::string_view line, char delimiter) {
    std::vector<std::string> cells;
    if (delimiter == kBlanksDelimiter) {
        std::size_t at = 0;
        while (true) {
            at = line.find_first_not_of(" \t", at);
            if (at == std::string_view::npos) {
                return cells;
            }
            const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
            cells.emplace_back(line.substr(at, end - at));
            at = end;
        }
    }
    std::string cell;
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == delimiter) {
            cells.push_back(std::move(cell));
            cell.clear();
            wasQuoted = false;
        } else if (c == '"' && !wasQuoted && TrimBlanks(cell).empty()) {
            cell.clear();
            quoted = true;
            wasQuoted = true;
        } else {
            cell += c;
        }
    }
    cells.push_back(std::move(cell));
    return cells;
}

DelimitedLayout ResolveDelimitedLayout(std::string_view gbkText, const DelimitedOptions& options) {
    const std::string_view first = FirstLine(gbkText);
    DelimitedLayout layout;
    layout.delimiter =
        options.delimiter == kAutoDelimiter ? FindDelimiter(gbkText) : options.delimiter;
    const std::vector<std::string> cells = SplitDelimitedLine(first, layout.delimiter);
    layout.header = !cells.empty() && std::none_of(cells.begin(), cells.end(),
                                                   [](const auto& c) { return IsNumber(c); });
    layout.columns = options.columns;
    if (layout.columns.empty() && layout.header) {
        for (const std::string& cell : cells) {
            const auto role = RoleOfHeader(cell);
            layout.columns.push_back(role && !HasRole(layout.columns, *role) ? *role
                                                                             : ColumnRole::Ignore);
        }
        if (!HasRole(layout.columns, ColumnRole::East) ||
            !HasRole(layout.columns, ColumnRole::North)) {
            layout.columns.clear();
        }
    }
    if (layout.columns.empty()) {
        layout.columns = DefaultColumns(cells);
    }
    return layout;
}

ImportResult ReadDelimited(std::string_view bytes, const DelimitedOptions& options,
                           std::size_t maxTextBytes) {
    std::size_t unencodableLine = 0;
    const std::string text = DelimitedTextAsGbk(bytes, unencodableLine);
    const DelimitedLayout layout = ResolveDelimitedLayout(text, options);
    return DelimitedReader(layout, options.unit, maxTextBytes).read(text, unencodableLine);
}

}  // namespace vrk
