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
inline constexpr const char* kStandardInput = "标准输入";
inline constexpr const char* kUsage = "\n用法:\n";
inline constexpr const char* kUnknownCommand = "未知命令: ";
inline constexpr const char* kSavedInstead = "收到的数据已另存为 ";

// Words of the command-line checks: what is wrong with the words typed.
inline constexpr const char* kConvertNeedsKind = "convert 需要指定种类: delf 或 pcode";
inline constexpr const char* kUnknownConversion = "未知的转换: ";
inline constexpr const char* kMoreThanOneOutput = "输出文件只能有一个";
inline constexpr const char* kNeedsFileName = " 后面需要文件名";
inline constexpr const char* kUnknownOption = "未知选项: ";
inline constexpr const char* kMoreThanOneInput = "输入文件只能有一个: ";
inline constexpr const char* kInvalidValue = "取值无效: ";
inline constexpr const char* kMissingCommand = "缺少命令";
inline constexpr const char* kUploadNeedsKind = "upload 需要 coords 或 pcode";
inline constexpr const char* kMissingValue = " 后面缺少取值";
inline constexpr const char* kOneDownloadOutput = "-o 只用于下传的输出文件";
inline constexpr const char* kOneTraceFile = "--trace 只能指定一个文件";
inline constexpr const char* kUnexpectedArgument = "多余的参数: ";
inline constexpr const char* kMissingInput = "缺少输入文件";
inline constexpr const char* kExportNeedsFormat =
    "export 需要指定格式: dxf、gpkg、shp、geojson、kml 或 csv";
inline constexpr const char* kUnknownExportFormat = "未知的导出格式: ";
inline constexpr const char* kExportNeedsOutput = "export 需要用 -o 指定输出文件";
inline constexpr const char* kExportNotInThisBuild =
    "这个版本的 vrk410-cli 不含导出模块(GDAL),请在 Linux 版中导出";

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
