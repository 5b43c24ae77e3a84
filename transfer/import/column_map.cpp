#include "import/column_map.h"

#include <algorithm>
#include <array>

#include "import/text_lines.h"

namespace vrk {

namespace {

struct RoleWord {
    ColumnRole role;
    std::string_view word;
};

// The words of the map.
constexpr std::array kMapWords{
    RoleWord{ColumnRole::Name, "name"}, RoleWord{ColumnRole::Code, "code"},
    RoleWord{ColumnRole::East, "e"},    RoleWord{ColumnRole::North, "n"},
    RoleWord{ColumnRole::Height, "h"},  RoleWord{ColumnRole::Ignore, "-"},
};

// Header cells as controllers and spreadsheets write them; Chinese words in GBK. In Chinese
// practice Y is the easting and X the northing, as in DELF.
constexpr std::array kHeaderWords{
    RoleWord{ColumnRole::Name, "name"},
    RoleWord{ColumnRole::Name, "point"},
    RoleWord{ColumnRole::Name, "pt"},
    RoleWord{ColumnRole::Name, "id"},
    RoleWord{ColumnRole::Name, "\xB5\xE3\xC3\xFB"},  // 点名
    RoleWord{ColumnRole::Name, "\xB5\xE3\xBA\xC5"},  // 点号
    RoleWord{ColumnRole::Code, "code"},
    RoleWord{ColumnRole::Code, "desc"},
    RoleWord{ColumnRole::Code, "description"},
    RoleWord{ColumnRole::Code, "\xB1\xE0\xC2\xEB"},  // 编码
    RoleWord{ColumnRole::Code, "\xB4\xFA\xC2\xEB"},  // 代码
    RoleWord{ColumnRole::East, "e"},
    RoleWord{ColumnRole::East, "east"},
    RoleWord{ColumnRole::East, "easting"},
    RoleWord{ColumnRole::East, "y"},
    RoleWord{ColumnRole::East, "\xB6\xAB"},                  // 东
    RoleWord{ColumnRole::East, "\xB6\xAB\xD7\xF8\xB1\xEA"},  // 东坐标
    RoleWord{ColumnRole::North, "n"},
    RoleWord{ColumnRole::North, "north"},
    RoleWord{ColumnRole::North, "northing"},
    RoleWord{ColumnRole::North, "x"},
    RoleWord{ColumnRole::North, "\xB1\xB1"},                  // 北
    RoleWord{ColumnRole::North, "\xB1\xB1\xD7\xF8\xB1\xEA"},  // 北坐标
    RoleWord{ColumnRole::Height, "h"},
    RoleWord{ColumnRole::Height, "z"},
    RoleWord{ColumnRole::Height, "height"},
    RoleWord{ColumnRole::Height, "elevation"},
    RoleWord{ColumnRole::Height, "elev"},
    RoleWord{ColumnRole::Height, "\xB8\xDF\xB3\xCC"},  // 高程
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

}  // namespace

std::optional<std::vector<ColumnRole>> ParseColumnMap(std::string_view text) {
    std::vector<ColumnRole> columns;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string word = Lower(TrimBlanks(text.substr(start, comma - start)));
        std::optional<ColumnRole> role;
        if (word.empty()) {
            role = ColumnRole::Ignore;
        }
        for (const RoleWord& r : kMapWords) {
            if (r.word == word) {
                role = r.role;
            }
        }
        if (!role || (*role != ColumnRole::Ignore &&
                      std::find(columns.begin(), columns.end(), *role) != columns.end())) {
            return std::nullopt;
        }
        columns.push_back(*role);
        if (comma == std::string_view::npos) {
            return columns;
        }
        start = comma + 1;
    }
}

std::string ColumnMapText(const std::vector<ColumnRole>& columns) {
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        text += i == 0 ? "" : ",";
        switch (columns[i]) {
            case ColumnRole::Name:
                text += "name";
                break;
            case ColumnRole::Code:
                text += "code";
                break;
            case ColumnRole::East:
                text += "E";
                break;
            case ColumnRole::North:
                text += "N";
                break;
            case ColumnRole::Height:
                text += "H";
                break;
            case ColumnRole::Ignore:
                text += "-";
                break;
        }
    }
    return text;
}

std::optional<ColumnRole> RoleOfHeader(std::string_view cell) {
    std::string word = Lower(TrimBlanks(cell));
    // "E(m)", "高程(米)": the unit in brackets is not part of the name.
    const std::size_t bracket = word.find_first_of("([");
    if (bracket != std::string::npos && bracket > 0) {
        word = std::string(TrimBlanks(std::string_view(word).substr(0, bracket)));
    }
    for (const RoleWord& r : kHeaderWords) {
        if (r.word == word) {
            return r.role;
        }
    }
    return std::nullopt;
}

}  // namespace vrk
