#pragma once

// The export's own words (UTF-8), as the user reads them in a message box or on stderr.
namespace vrk::texts {

inline constexpr const char* kModuleMissing = "找不到导出模块 ";
inline constexpr const char* kModuleIncomplete = "导出模块不完整";
inline constexpr const char* kModuleNotLoaded = "无法加载导出模块(GDAL): ";

inline constexpr const char* kNoPoints = "视图中没有可导出的坐标点(每行应为 点名,编码,Y,X,H)";
inline constexpr const char* kNeedsSystem =
    "GeoJSON 和 KML 要写经纬度,坐标系为\"本地/未知\"时无法导出;请选择坐标所在的坐标系";
inline constexpr const char* kGbkOnlyCsv = "只有 CSV 可以用 GBK 编码,其他格式都用 UTF-8";
inline constexpr const char* kUnknownSystem = "PROJ 不认识坐标系 EPSG:";
inline constexpr const char* kTargetNotWritable = "没有写入权限,原文件保持不变: ";
inline constexpr const char* kFolderNotWritable = "无法在该文件夹中写入: ";
inline constexpr const char* kCancelled = "导出已取消,原有文件保持不变";
inline constexpr const char* kCannotRename = "无法把导出的文件改名为 ";
inline constexpr const char* kWritten = "已导出 %1 个点到 %2";

// The writer module's reasons.
inline constexpr const char* kNoDriver = "GDAL 缺少驱动: ";
inline constexpr const char* kCannotCreate = "GDAL 无法创建文件: ";
inline constexpr const char* kCannotWritePoint = "GDAL 无法写入第 %1 行的点: ";
inline constexpr const char* kCannotTransform = "第 %1 行的点无法换算为经纬度 (WGS 84): ";
inline constexpr const char* kCannotFinish = "GDAL 无法写完文件: ";

// The skipped lines, as the check before an upload names them.
inline constexpr const char* kSkippedLine = "不是恰好4个逗号,或在空行之后,此行不导出";

}  // namespace vrk::texts
