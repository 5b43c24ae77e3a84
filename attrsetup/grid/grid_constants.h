// Fixed numbers of the grid and its in-place editors, kept in one place because they are the
// values the dialog templates of the original controls were built around.
#pragma once

#include <cstdint>

namespace quorbel::grid {

// Column filters exist for this many columns; other column indices have no filter.
inline constexpr int kMaxFilterColumns = 100;
// SetColumnFilter's column index that stands for every column at once.
inline constexpr int kAllColumns = -1;

// A drop-down narrower than this cannot show its items readably, so it does not open.
inline constexpr int kMinDropListWidth = 10;
// Drop-down height in rows below the closed field: item count plus this when there are fewer
// items than kDropListFewItems, otherwise kDropListManyRows. The "+ 10" is kept as the dialog
// layout was tuned with it.
inline constexpr int kDropListFewItems = 10;
inline constexpr int kDropListExtraRows = 10;
inline constexpr int kDropListManyRows = 11;

// Window styles the grid hands its editors; the editors translate the bits they understand.
inline constexpr std::uint32_t kWsChild = 0x40000000U;
inline constexpr std::uint32_t kWsVisible = 0x10000000U;
inline constexpr std::uint32_t kWsBorder = 0x00800000U;
inline constexpr std::uint32_t kWsVScroll = 0x00200000U;
inline constexpr std::uint32_t kEsAutoVScroll = 0x0040U;
inline constexpr std::uint32_t kEsAutoHScroll = 0x0080U;
inline constexpr std::uint32_t kEsNoHideSel = 0x0100U;
inline constexpr std::uint32_t kCbsDropDownList = 0x0003U;
inline constexpr std::uint32_t kCbsAutoHScroll = 0x0040U;
inline constexpr std::uint32_t kCbsOemConvert = 0x0080U;
inline constexpr std::uint32_t kCbsDisableNoScroll = 0x0800U;

inline constexpr std::uint32_t kEditBoxStyle = kEsAutoVScroll | kEsAutoHScroll | kEsNoHideSel;
inline constexpr std::uint32_t kDropListStyle = kWsChild | kWsVisible | kWsBorder | kWsVScroll |
                                                kCbsDropDownList | kCbsAutoHScroll |
                                                kCbsOemConvert | kCbsDisableNoScroll;
static_assert(kEditBoxStyle == 0x1C0U);
static_assert(kDropListStyle == 0x50A008C3U);

// Extended list styles the grid understands.
inline constexpr unsigned kLvsExGridLines = 0x01U;
inline constexpr unsigned kLvsExFullRowSelect = 0x20U;
inline constexpr unsigned kLvsExTwoClickActivate = 0x80U;

// Child-window id the grid gives the editors it opens.
inline constexpr int kEditorChildId = 0;

// Control characters the edit box lets through even when a filter would refuse them.
inline constexpr char32_t kBackspace = 8;
inline constexpr char32_t kCtrlC = 3;
inline constexpr char32_t kCtrlV = 22;
inline constexpr char32_t kCtrlX = 24;

}  // namespace quorbel::grid
