#pragma once

#include <string_view>

namespace vrk {

inline constexpr std::string_view kMsgConversionFailed = "转换失败";
inline constexpr std::string_view kMsgBadFormat = "文件格式不正确";

}  // namespace vrk
