#include "schema/table_kind.h"

#include <array>

#include "schema/gbk_letter_case.h"
#include "schema/gbk_text.h"

namespace quorbel {
namespace {

// Drawing-token prefixes of point and text features; everything else is drawn as a line or area.
constexpr std::string_view kPointSymbolPrefix = "gc";
constexpr std::string_view kTextSymbolPrefix = "text";

constexpr std::array<std::string_view, 5> kKindNames{"未定义", "点", "线", "面", "文字"};

}  // namespace

const std::vector<std::string>& tableKindNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto name : kKindNames) {
            list.push_back(utf8ToGbk(name));
        }
        return list;
    }();
    return names;
}

bool symbolFitsKind(std::string_view symbol, int32_t kind) {
    const bool point = startsWithIgnoreAsciiCase(symbol, kPointSymbolPrefix);
    const bool text = startsWithIgnoreAsciiCase(symbol, kTextSymbolPrefix);
    switch (static_cast<TableKind>(kind)) {
        case TableKind::Point:
            return point;
        case TableKind::Line:
        case TableKind::Area:
            return !point && !text;
        case TableKind::Text:
            return text;
        case TableKind::Undefined:
            break;
    }
    return false;
}

}  // namespace quorbel
