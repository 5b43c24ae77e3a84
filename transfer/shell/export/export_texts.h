#pragma once

// The words of the export dialog, its coordinate system chooser and its progress (UTF-8).
namespace vrk::texts {

inline constexpr const char* kExportTitle = "导出";
inline constexpr const char* kExportMenu = "导出(&E)...";
inline constexpr const char* kExportPrompt = "把视图中的DELF坐标点导出为CAD或GIS文件\n导出";
inline constexpr const char* kExportButton = "导出";
inline constexpr const char* kExportSummary = "将导出 %1 个点,跳过 %2 行";
inline constexpr const char* kExportSkippedLines = ":第 %1 行";
inline constexpr const char* kExportMoreLines = "等";
inline constexpr const char* kExportFormatLabel = "格式(&F):";
inline constexpr const char* kExportEncodingLabel = "编码(&C):";
inline constexpr const char* kExportFileLabel = "文件名(&N):";
inline constexpr const char* kExportBrowse = "浏览(&B)...";
inline constexpr const char* kExportSystemGroup = "坐标系";
inline constexpr const char* kExportNeedsFile = "请输入要导出的文件名";
inline constexpr const char* kExportReplace = "%1 已存在。\n要替换它吗?";
inline constexpr const char* kExportRunning = "正在导出 %1 个点...";
inline constexpr const char* kExportCancel = "取消";
inline constexpr const char* kExportDefaultName = "测量点";

inline constexpr const char* kCrsKindLabel = "坐标系(&S):";
inline constexpr const char* kCrsCgcs2000 = "CGCS2000 高斯-克吕格";
inline constexpr const char* kCrsXian1980 = "西安1980 高斯-克吕格";
inline constexpr const char* kCrsBeijing1954 = "北京1954 高斯-克吕格";
inline constexpr const char* kCrsUtm = "WGS 84 / UTM";
inline constexpr const char* kCrsEpsgCode = "EPSG 代码";
inline constexpr const char* kCrsLocal = "本地/未知";
inline constexpr const char* kCrsZoneWidth3 = "3° 分带";
inline constexpr const char* kCrsZoneWidth6 = "6° 分带";
inline constexpr const char* kCrsGkZone = "第 %1 带 (中央子午线 %2°E)";
inline constexpr const char* kCrsUtmZone = "第 %1 带 (中央子午线 %2°)";
inline constexpr const char* kCrsZoneInEasting = "东坐标前带带号(&Z)";
inline constexpr const char* kCrsNorth = "北半球";
inline constexpr const char* kCrsSouth = "南半球";
inline constexpr const char* kCrsEpsgPlaceholder = "例如 4547";
inline constexpr const char* kCrsNameOf = "EPSG:%1  %2";
inline constexpr const char* kCrsUnknownCode = "PROJ 不认识 EPSG:%1";
inline constexpr const char* kCrsTypeCode = "请输入 EPSG 代码";
inline constexpr const char* kCrsNoSystem = "文件中不写坐标系";
inline constexpr const char* kCrsProposal = "东坐标前有带号 %1,已选用 %2 第 %1 带(东坐标含带号)";

}  // namespace vrk::texts
