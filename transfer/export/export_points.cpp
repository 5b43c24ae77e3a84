#include "export/export_points.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "text/decimal_reader.h"
#include "text/gbk_text_codec.h"

namespace vrk {

namespace {

// DELF's "name,code,Y,X,H": Y, X and H are the third to fifth fields.
constexpr std::size_t kFirstValueField = 2;
constexpr std::size_t kValueFields = 3;

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Bytes that are not GBK keep the view's stand-ins, so the user sees the same name in the file
// as in the editor.
std::string DecodeGbk(std::string_view gbk) {
    const std::u16string wide = DecodeForView(gbk);
    std::string utf8;
    utf8.reserve(wide.size() * 3);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        }
        AppendUtf8(c, utf8);
    }
    return utf8;
}

// The number as the line writes it: what ReadDecimal reads of the field, without its blanks.
std::string NumberText(std::string_view field) {
    const std::size_t length = DecimalLength(field);
    std::string_view number = field.substr(0, length);
    while (!number.empty() && IsDecimalBlank(number.front())) {
        number.remove_prefix(1);
    }
    return number.empty() ? std::string("0") : std::string(number);
}

std::array<std::string, kValueFields> ValueTexts(std::string_view viewText, std::size_t offset) {
    std::string_view line = viewText.substr(offset);
    line = line.substr(0, line.find('\n'));
    std::array<std::string, kValueFields> texts;
    std::size_t start = 0;
    for (std::size_t field = 0; field < kFirstValueField + kValueFields; ++field) {
        const std::size_t comma = line.find(',', start);
        if (field >= kFirstValueField) {
            texts[field - kFirstValueField] = NumberText(line.substr(start, comma - start));
        }
        start = comma == std::string_view::npos ? line.size() : comma + 1;
    }
    return texts;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A survey has thousands of names but few codes: each text is decoded once.
class Utf8Texts {
  public:
    const std::string& Of(const std::string& gbk) {
        auto [at, isNew] = decoded_.try_emplace(gbk);
        if (isNew) {
            at->second = DecodeGbk(gbk);
        }
        return at->second;
    }
    std::string Name(const std::string& gbk) { return IsAscii(gbk) ? gbk : DecodeGbk(gbk); }

  private:
    std::unordered_map<std::string, std::string> decoded_;
};

}  // namespace

std::vector<ExportPoint> ToExportPoints(std::string_view viewText, const SurveyPointList& list,
                                        bool keepGbk, bool withNumberTexts) {
    std::vector<ExportPoint> points;
    points.reserve(list.points.size());
    Utf8Texts utf8;
    for (const SurveyPoint& point : list.points) {
        ExportPoint& added = points.emplace_back();
        added.name = keepGbk ? point.name : utf8.Name(point.name);
        added.code = keepGbk ? point.code : utf8.Of(point.code);
        added.east = point.y;
        added.north = point.x;
        added.height = point.h;
        added.line = point.line;
        if (withNumberTexts) {
            auto [y, x, h] = ValueTexts(viewText, point.offset);
            added.eastText = std::move(y);
            added.northText = std::move(x);
            added.heightText = std::move(h);
        }
    }
    return points;
}

}  // namespace vrk
