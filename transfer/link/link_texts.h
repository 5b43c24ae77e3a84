#pragma once

#include <string_view>

namespace vrk {

// The program's own words, shown through the Prompter (UTF-8).
inline constexpr std::string_view kMsgCannotOpenPort = "无法创建通讯口!";
inline constexpr std::string_view kMsgCannotCreateBuffers = "无法创建缓冲区!";
inline constexpr std::string_view kMsgCannotSetParams = "无法设置通讯参数!";
inline constexpr std::string_view kMsgFailed = "通讯失败";
inline constexpr std::string_view kMsgTimedOut = "通讯超时";
inline constexpr std::string_view kMsgFinished = "通讯结束";
inline constexpr std::string_view kMsgStationFirst = "请先在全站仪上回车,然后在微机上回车!";
inline constexpr std::string_view kMsgComputerFirst = "请先在微机上回车,然后在全站仪上回车!";
inline constexpr std::string_view kMsgDiscardText = "文本尚未存盘,是否继续?";

// Why a download ended when the view could hold no more, after the size it holds ("16 MiB").
inline constexpr std::string_view kReasonViewFull =
    "接收的数据超过了本程序能容纳和打开的大小（%"
    "1）：已收到的完整行保留在视图中，其后的数据未接收。";

// Why an upload failed when the instrument kept refusing one record.
inline constexpr std::string_view kReasonRefused = "仪器多次拒收同一记录";

}  // namespace vrk
