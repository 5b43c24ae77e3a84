#pragma once

namespace vrk::texts {

// The point plot window. "%1", "%2"… are QString::arg places.
inline constexpr const char* kPlotTitle = "点位图";
inline constexpr const char* kPlotHeading = "已绘出 %1 个点,跳过 %2 行";
inline constexpr const char* kPlotFit = "全部显示(&F)";
inline constexpr const char* kPlotPrint = "打印(&P)...";
inline constexpr const char* kPlotSave = "保存为图片(&S)...";
inline constexpr const char* kPlotCursor = "Y %1   X %2";
inline constexpr const char* kPlotPoint = "点名 %1   编码 %2   Y %3   X %4   H %5   第 %6 行";
inline constexpr const char* kPlotSuggestedFile = "点位图.png";
inline constexpr const char* kPlotCannotSave = "无法保存文件 %1";
inline constexpr const char* kPlotNorth = "北";

}  // namespace vrk::texts
