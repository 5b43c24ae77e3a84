#pragma once

// The program's own words outside the transfer and conversion cores, as the user sees them.
namespace vrk::texts {

inline constexpr const char* kAppTitle = "VRK410";
inline constexpr const char* kUntitled = "无标题";
inline constexpr const char* kReady = "就绪";
inline constexpr const char* kCaps = "大写";
inline constexpr const char* kNum = "数字";
inline constexpr const char* kScroll = "滚动";
inline constexpr const char* kAllFiles = "所有文件 (*)";
inline constexpr const char* kFileTooLarge = "该文件太大，无法打开。";
inline constexpr const char* kSaveChangesTo = "将改动保存到 %1？";
inline constexpr const char* kOpenFailed = "打开文档失败。";
inline constexpr const char* kSaveFailed = "保存文档失败。";
// Not a framework text: a character typed or pasted that the file's code page cannot hold.
inline constexpr const char* kUnencodable =
    "文本中的字符“%1”（第 %2 行）无法以 GBK 编码保存，文件未被改动。";
inline constexpr const char* kAboutTitle = "关于 VRK410传输软件";
inline constexpr const char* kAboutLine1 = "VRK410 全站仪数据传输软件 1.0 版";
inline constexpr const char* kAboutLine2 = "下传、转换、上传全站仪坐标与编码数据";
inline constexpr const char* kOk = "确定";
inline constexpr const char* kCancel = "取消";
inline constexpr const char* kContinue = "继续";

inline constexpr const char* kSettingsTitle = "通讯参数设置";
inline constexpr const char* kEnterInteger = "请键入一个整数。";
inline constexpr const char* kEnterIntegerBetween = "“请填入一个在%1和%2之间的整数。”";

// Progress in the message pane while a transfer runs.
inline constexpr const char* kProgressReceive =
    "正在接收：%1 行，%2 字节；距上一字节 %3 秒（接收延时 %4 秒）";
inline constexpr const char* kProgressSend = "正在发送：第 %1 / %2 块，重发 %3 次";

// The second line under "无法创建通讯口!" when this program's own transfer holds the port.
inline constexpr const char* kPortBusyHere = "通讯口正被本程序的另一次通讯使用,请等它结束后再试。";

}  // namespace vrk::texts
