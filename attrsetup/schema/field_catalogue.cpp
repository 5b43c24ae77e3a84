#include "schema/field_catalogue.h"

#include <algorithm>
#include <array>

#include "schema/gbk_text.h"

namespace quorbel {
namespace {

struct NamedCode {
    int32_t code;
    std::string_view utf8Name;
};

// The 26 types of the drop-down, in list order.
constexpr std::array<NamedCode, 26> kListedTypes{{
    {0, "字符串"},
    {1, "短整数"},
    {2, "长整数"},
    {3, "浮点数"},
    {10, "编码"},
    {13, "高程"},
    {20, "文本注记内容"},
    {30, "文本注记字体"},
    {33, "文字符号大小"},
    {23, "文字符号旋转角度"},
    {100, "用户编码"},
    {40, "CAD图层"},
    {50, "CAD符号"},
    {90, "地物说明"},
    {11, "颜色"},
    {12, "内部流水编号"},
    {43, "东坐标"},
    {53, "北坐标"},
    {200, "地籍名称"},
    {210, "地籍权利人"},
    {220, "地类"},
    {230, "界址线起始点名"},
    {240, "界址线终止点名"},
    {203, "宗地面积"},
    {213, "建筑物占地面积"},
    {223, "界址线长度"},
}};

// Known to both mappings but not offered in the list.
constexpr std::array<NamedCode, 2> kUnlistedTypes{{
    {110, "控制点等级"},
    {120, "控制点点名"},
}};

// Codes that show a name although no name maps back to them.
constexpr std::array<NamedCode, 3> kAliasTypes{{
    {22, "长整数"},
    {63, "浮点数"},
    {73, "浮点数"},
}};

constexpr std::array<std::string_view, 14> kDictionaries{
    "TBL_BuildingStyleCode", "TBL_CoordTypeCode",     "TBL_LandGradeCode",
    "TBL_LandUseCode",       "TBL_LandUseRightCode",  "TBL_OtherRightCode",
    "TBL_PriceGradeCode",    "TBL_RightPropertyCode", "TBL_TerminusPosCode",
    "TBL_TerminusTypeCode",  "TBL_UnitPropertyCode",  "TBL_VergeCategoryCode",
    "TBL_VergePosCode",      "TBL_VergePropertyCode",
};

constexpr int kMaxDecimals = 6;

struct GbkCode {
    int32_t code;
    std::string name;
};

// Every named code with its GBK name; mapping codes back to names uses all of them, mapping names
// to codes only the listed and unlisted ones.
struct TypeTable {
    std::vector<GbkCode> byName;
    std::vector<GbkCode> byCode;
    std::vector<std::string> options;
};

const TypeTable& typeTable() {
    static const TypeTable table = [] {
        TypeTable t;
        for (const auto& type : kListedTypes) {
            t.options.push_back(utf8ToGbk(type.utf8Name));
            t.byName.push_back({type.code, t.options.back()});
        }
        for (const auto& type : kUnlistedTypes) {
            t.byName.push_back({type.code, utf8ToGbk(type.utf8Name)});
        }
        t.byCode = t.byName;
        for (const auto& type : kAliasTypes) {
            t.byCode.push_back({type.code, utf8ToGbk(type.utf8Name)});
        }
        return t;
    }();
    return table;
}

const GbkCode* findCode(int32_t code) {
    const auto& byCode = typeTable().byCode;
    const auto it = std::find_if(byCode.begin(), byCode.end(),
                                 [code](const GbkCode& c) { return c.code == code; });
    return it == byCode.end() ? nullptr : &*it;
}

}  // namespace

int32_t fieldTypeCode(std::string_view gbkName) {
    const auto& byName = typeTable().byName;
    const auto it = std::find_if(byName.begin(), byName.end(),
                                 [gbkName](const GbkCode& c) { return c.name == gbkName; });
    return it == byName.end() ? 0 : it->code;
}

void fieldTypeName(int32_t code, std::string& gbkText) {
    if (const GbkCode* found = findCode(code)) {
        gbkText = found->name;
    }
}

bool hasFieldTypeName(int32_t code) {
    return findCode(code) != nullptr;
}

const std::vector<std::string>& fieldTypeOptions() {
    return typeTable().options;
}

const std::vector<std::string>& decimalsOptions() {
    static const std::vector<std::string> options = [] {
        std::vector<std::string> list;
        for (int d = 0; d <= kMaxDecimals; ++d) {
            list.push_back(std::to_string(d));
        }
        return list;
    }();
    return options;
}

const std::vector<std::string>& dictionaryOptions() {
    static const std::vector<std::string> options(kDictionaries.begin(), kDictionaries.end());
    return options;
}

}  // namespace quorbel
