#pragma once

// vrk410-cli's own words, as the user reads them on the terminal. The command names, options and
// placeholders of the usage lines stay as they are typed.
namespace vrk::cli::texts {

inline constexpr const char* kProgram = "vrk410-cli: ";
inline constexpr const char* kCannotRead = "无法读取 ";
inline constexpr const char* kCannotWrite = "无法写入 ";
inline constexpr const char* kStandardOutput = "标准输出";
inline constexpr const char* kInterrupted = "已中断";
inline constexpr const char* kCheckNeedsKindAndFile = "check 需要 coords 或 pcode 以及一个文件";

// `vrk410-cli ports`
inline constexpr const char* kDevice = "设备: ";
inline constexpr const char* kNoDeviceReported =
    "设备: 系统没有报告串口设备（可直接用设备路径，如 /dev/ttyUSB0 或 /dev/pts/3）";
inline constexpr const char* kFromMapping = "端口映射: ";
inline constexpr const char* kDefaultDevice = "默认";

// How a user of the command line picks another device for a port, in the reason for a failed
// open: there is no menu here.
inline constexpr const char* kChooseDevice =
    "用环境变量 VRK410_COMn 或 --port 设备路径 为该端口选择实际存在的设备（vrk410-cli ports "
    "列出系统报告的串口设备）";
inline constexpr const char* kCheckDevice =
    "用 vrk410-cli ports 检查该端口对应的设备，或用环境变量 VRK410_COMn 改用其他设备";

}  // namespace vrk::cli::texts
