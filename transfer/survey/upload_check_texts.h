#pragma once

#include <string_view>

namespace vrk {

// The findings of the check before an upload, as the user reads them after the line number.
inline constexpr std::string_view kFindNotFourCommas = "不是恰好4个逗号,此行不发送";
inline constexpr std::string_view kFindNotSentAfterEmptyLine = "前面有空行,此行及以后各行不发送";
inline constexpr std::string_view kFindNameTooLong = "点名超过10个字节,记录会变长";
inline constexpr std::string_view kFindNameUnderscore = "点名含有\"_\",全站仪会读成另一个点";
inline constexpr std::string_view kFindValueEmpty = "值为空,按0发送";
inline constexpr std::string_view kFindValueNotWhole = "值不是完整的数字,只发送能读出的开头";
inline constexpr std::string_view kFindValueTooManyDigits = "值超过9位毫米数字";
inline constexpr std::string_view kFindDuplicateName = "点名与第%1行重复";
inline constexpr std::string_view kFindNoComma = "没有逗号,此行不发送";
inline constexpr std::string_view kFindNumberAbove50 = "编号%1大于50,按50发送";
inline constexpr std::string_view kFindNumberBelow0 = "编号%1小于0";
inline constexpr std::string_view kFindNumberRepeated = "发送的编号%1与第%2行重复";
inline constexpr std::string_view kFindTextTooLong = "文本超过10个字节,会被截短";
inline constexpr std::string_view kFindTextUnderscore = "文本含有\"_\",会拆开全站仪的字段";

// The question over the list of findings; its answers are the shell's buttons.
inline constexpr std::string_view kAskSendAnyway = "要发送的数据有以下问题,仍然发送吗?";

}  // namespace vrk
