#pragma once

// The import's own words, as the user reads them in the report and the messages. "%1" and "%2"
// stand for a line number, a name or a value.
namespace vrk::import_texts {

inline constexpr const char* kNotGsi = "文件不是 GSI 格式: 第 %1 行读不下去(%2)";
inline constexpr const char* kNotSdr = "文件不是 SDR 格式: 第 %1 行读不下去(%2)";
inline constexpr const char* kNotDelimited = "文件不是分隔文本: 第 %1 行读不下去(%2)";
inline constexpr const char* kNoPoints = "文件中没有读出一个点";
inline constexpr const char* kTooLarge = "导入的结果超过 %1 字节,读到第 %2 行为止";

inline constexpr const char* kNoName = "没有点名,以行号 %1 为点名";
inline constexpr const char* kNoHeight = "没有高程,H 留空";
inline constexpr const char* kNoCoordinates = "没有坐标";
inline constexpr const char* kMissing = "没有%1";
inline constexpr const char* kBadNumber = "%1 不是数字: %2";
inline constexpr const char* kOutOfRange = "%1 超出范围";
inline constexpr const char* kUnitNotLength = "%1 的单位代码 %2 不是长度单位";
inline constexpr const char* kUnitNotAngle = "%1 的单位代码 %2 不是可用的角度单位";
inline constexpr const char* kNoStation = "观测没有测站坐标,不推算";
inline constexpr const char* kNoOrientation = "测站没有定向(后视点或方位角),观测不推算";
inline constexpr const char* kStationElsewhere = "观测的测站 %1 不是当前测站";
inline constexpr const char* kNoDistance = "观测没有距离,不推算";
inline constexpr const char* kNoHorizontalAngle = "观测没有水平角,不推算";
inline constexpr const char* kUnknownRecord = "不认识的记录 %1";
inline constexpr const char* kShortRecord = "记录太短";
inline constexpr const char* kNotGbk = "含有 GBK 无法表示的字符,已以 ? 代替";
inline constexpr const char* kNoHeader = "没有头记录(00),按米、度、北东顺序读";
inline constexpr const char* kMilsNotRead = "角度单位为密位,观测不推算";

// Word names in the report.
inline constexpr const char* kEasting = "东坐标";
inline constexpr const char* kNorthing = "北坐标";
inline constexpr const char* kHeight = "高程";

// Why a line could not be read at all.
inline constexpr const char* kWhyNoWord = "不是 GSI 字";
inline constexpr const char* kWhyNoRecord = "不是 SDR 记录";
inline constexpr const char* kWhyNoColumns = "找不到东坐标和北坐标两列";

}  // namespace vrk::import_texts
