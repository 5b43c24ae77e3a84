#pragma once

#include <string_view>

namespace vrk {

inline constexpr std::string_view kMsgConversionFailed = "转换失败";
inline constexpr std::string_view kMsgBadFormat = "文件格式不正确";

// Where a conversion gave up, shown under its message; and what a conversion made. "%1" stands
// for a number.
inline constexpr std::string_view kWhereNoLineFeed = "文本中没有换行符(LF)";
inline constexpr std::string_view kWhereStartsWithLineFeed = "文本以换行符(LF)开头";
inline constexpr std::string_view kWhereLineLacksXyz = "第%1行没有x、y或z";
inline constexpr std::string_view kWhereTooFewFields = "只读出%1个字段,不够一个点";
inline constexpr std::string_view kWhereNoCodeField = "读出%1个字段,其中没有编码";
inline constexpr std::string_view kReportDelfPoints = "DELF: %1 个点";
inline constexpr std::string_view kReportDroppedFields = ",末尾丢弃%1个字段(最后一个点不完整)";
inline constexpr std::string_view kReportPcodeCodes = "PCODE: %1 条";

}  // namespace vrk
