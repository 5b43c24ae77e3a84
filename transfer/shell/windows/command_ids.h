#pragma once

// Command and control identifiers of the program's menu, toolbar, status bar and dialogs. They
// are also the objectName of the QAction or widget, so tests find every control by its id.
namespace vrk::ids {

inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePageSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMru = 57616;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditPaste = 57637;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kCommSettings = 32772;
inline constexpr int kDownload = 32773;
inline constexpr int kUploadCoords = 32776;
inline constexpr int kUploadPcode = 32777;
inline constexpr int kConvertDelf = 32771;
inline constexpr int kConvertPcode = 32779;
inline constexpr int kCommTranscript = 32781;

inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;

inline constexpr int kMainTemplate = 128;  // menu, accelerators, toolbar, icon
inline constexpr int kAboutDialog = 100;
inline constexpr int kCommSettingsDialog = 130;

// Point plot window and its buttons.
inline constexpr int kViewPointPlot = 32790;
inline constexpr int kPlotFit = 1100;
inline constexpr int kPlotPrint = 1101;
inline constexpr int kPlotSave = 1102;
inline constexpr int kPlotExport = 1103;

// 文件 → 导出 and its dialog.
inline constexpr int kFileExport = 32791;
inline constexpr int kExportDialog = 132;
inline constexpr int kExportSummary = 1040;
inline constexpr int kExportFormat = 1041;
inline constexpr int kExportEncoding = 1042;
inline constexpr int kExportFile = 1043;
inline constexpr int kExportBrowse = 1044;
inline constexpr int kCrsKind = 1045;
inline constexpr int kCrsZoneWidth = 1046;
inline constexpr int kCrsZone = 1047;
inline constexpr int kCrsZoneInEasting = 1048;
inline constexpr int kCrsHemisphere = 1049;
inline constexpr int kCrsEpsg = 1050;
inline constexpr int kCrsName = 1051;
inline constexpr int kCrsProposal = 1052;

// Communication settings dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kProtocolNoneButton = 1000;
inline constexpr int kProtocolAckNakButton = 1001;
inline constexpr int kPortFirst = 1002;  // COM1 … COM6 = 1002 … 1007
inline constexpr int kBaud1200 = 1008;
inline constexpr int kBaud2400 = 1009;
inline constexpr int kBaud4800 = 1010;
inline constexpr int kBaud9600 = 1011;
inline constexpr int kBaud19200 = 1020;  // out of sequence in the template, still index 4
inline constexpr int kRecvDelay = 1012;
inline constexpr int kParityNone = 1013;
inline constexpr int kParityOdd = 1014;
inline constexpr int kParityEven = 1015;
inline constexpr int kDataBits7 = 1016;
inline constexpr int kDataBits8 = 1017;
inline constexpr int kStopBits1 = 1018;
inline constexpr int kStopBits2 = 1019;

// Port mapping: the 通讯 menu item and its dialog (not in the old templates; ids chosen to
// follow them).
inline constexpr int kPortMapping = 32780;
inline constexpr int kPortMappingDialog = 131;
inline constexpr int kPortMapFirst = 1030;  // COM1 … COM6 = 1030 … 1035
inline constexpr int kPortMapRefresh = 1036;

// 文件 → 导入 and its dialog (not in the old templates; ids chosen clear of the others).
inline constexpr int kFileImport = 32795;
inline constexpr int kImportDialog = 134;
inline constexpr int kImportFormat = 1060;
inline constexpr int kImportDetected = 1061;
inline constexpr int kImportPreview = 1062;
inline constexpr int kImportDelimiter = 1063;
inline constexpr int kImportUnit = 1064;
inline constexpr int kImportTable = 1065;
inline constexpr int kImportColumnFirst = 1070;  // the role of column 1, 2, … of the table

}  // namespace vrk::ids
