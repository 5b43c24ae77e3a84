#pragma once

// Control ids, geometry (dialog units) and fixed texts of the attribute structure dialog. The ids
// double as object names, so code and tests find every control by the id of its template.

#include <array>

namespace quorbel::editor {

struct DuRect {
    int x;
    int y;
    int w;
    int h;
};

inline constexpr int kDialogTemplateId = 200;
inline constexpr int kDialogWidthDu = 427;
inline constexpr int kDialogHeightDu = 361;
inline constexpr int kDialogFontPointSize = 9;
inline constexpr const char* kDialogFontFamily = "宋体";
inline constexpr const char* kDialogCaption = "属性结构设置";

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_TABLE_TREE = 200;
inline constexpr int IDC_FIELD_GRID = 201;
inline constexpr int IDC_ADD_FIELD = 202;
inline constexpr int IDC_DELETE_FIELD = 203;
inline constexpr int IDC_SAVE_TABLE = 204;
inline constexpr int IDC_LABEL_NAME = 205;
inline constexpr int IDC_TABLE_NAME = 206;
inline constexpr int IDC_LABEL_KIND = 207;
inline constexpr int IDC_NEW_TABLE_NAME = 208;
inline constexpr int IDC_LABEL_DESCRIPTION = 209;
inline constexpr int IDC_TABLE_DESCRIPTION = 210;
inline constexpr int IDC_CATEGORY = 211;
inline constexpr int IDC_AVAILABLE = 212;
inline constexpr int IDC_INCLUDED = 213;
inline constexpr int IDC_INCLUDE = 214;
inline constexpr int IDC_EXCLUDE = 215;
inline constexpr int IDC_SAVE_INCLUSION = 216;
inline constexpr int IDC_TABLE_KIND = 217;
inline constexpr int IDC_NEW_FIELD_GRID = 220;
inline constexpr int IDC_NEW_TABLE_KIND = 222;
inline constexpr int IDC_NEW_TABLE_DESCRIPTION = 223;
// Controls the template did not have: the undo history and the three find boxes.
inline constexpr int IDC_UNDO = 224;
inline constexpr int IDC_REDO = 225;
inline constexpr int IDC_TREE_FIND = 226;
inline constexpr int IDC_AVAILABLE_FIND = 227;
inline constexpr int IDC_INCLUDED_FIND = 228;

inline constexpr int IDR_TABLE_MENU = 202;
inline constexpr int ID_TABLE_ADD = 32768;
inline constexpr int ID_TABLE_DELETE = 32769;
inline constexpr const char* kTableMenuTitle = "属性设置";
inline constexpr const char* kTableMenuAdd = "添加";
inline constexpr const char* kTableMenuDelete = "删除";

inline constexpr const char* kRootLabel = "Tables";
inline constexpr const char* kNewTableName = "NewName";

// Geometry of every control, in template order.
// The tree and both feature lists make room at their tops for a find box.
inline constexpr DuRect kTreeFindRect{5, 13, 92, 12};
inline constexpr DuRect kTreeRect{5, 27, 92, 308};
inline constexpr DuRect kCategoryRect{105, 11, 99, 97};
inline constexpr DuRect kAvailableFindRect{106, 26, 133, 12};
inline constexpr DuRect kAvailableRect{106, 40, 133, 187};
inline constexpr DuRect kIncludedFindRect{285, 26, 135, 12};
inline constexpr DuRect kIncludedRect{285, 40, 135, 187};
inline constexpr DuRect kIncludeRect{242, 73, 41, 14};
inline constexpr DuRect kExcludeRect{242, 101, 41, 13};
inline constexpr DuRect kSaveInclusionRect{242, 128, 41, 13};
inline constexpr DuRect kIncludedFrameRect{103, 4, 321, 228};
inline constexpr DuRect kOkRect{136, 343, 39, 15};
inline constexpr DuRect kCancelRect{256, 343, 39, 16};
inline constexpr DuRect kUndoRect{5, 343, 39, 15};
inline constexpr DuRect kRedoRect{49, 343, 39, 15};
inline constexpr DuRect kFieldGridRect{107, 260, 275, 75};
inline constexpr DuRect kAddFieldRect{384, 274, 36, 14};
inline constexpr DuRect kDeleteFieldRect{384, 294, 36, 14};
inline constexpr DuRect kSaveTableRect{384, 314, 36, 14};
inline constexpr DuRect kLabelNameRect{108, 246, 19, 8};
inline constexpr DuRect kTableNameRect{127, 244, 52, 12};
inline constexpr DuRect kLabelKindRect{182, 246, 20, 8};
inline constexpr DuRect kLabelDescriptionRect{240, 246, 20, 8};
inline constexpr DuRect kTableDescriptionRect{260, 244, 120, 14};
inline constexpr DuRect kTableKindRect{202, 244, 35, 59};
inline constexpr DuRect kNewTableNameRect{127, 244, 52, 12};
inline constexpr DuRect kNewFieldGridRect{106, 260, 275, 75};
inline constexpr DuRect kNewTableKindRect{202, 244, 35, 59};
inline constexpr DuRect kNewTableDescriptionRect{260, 244, 120, 14};
inline constexpr DuRect kDefinitionFrameRect{103, 233, 321, 105};
inline constexpr DuRect kTableNamesFrameRect{2, 4, 98, 335};
inline constexpr DuRect kAvailableFrameRect{106, 22, 134, 206};
inline constexpr DuRect kIncludedListFrameRect{285, 22, 135, 206};

inline constexpr const char* kIncludeCaption = "    添加>>   ";
inline constexpr const char* kExcludeCaption = "<<删除";
inline constexpr const char* kSaveCaption = "保存";
inline constexpr const char* kIncludedFrameCaption = "包含地物";
inline constexpr const char* kOkCaption = "确定";
inline constexpr const char* kCancelCaption = "取消";
inline constexpr const char* kUndoCaption = "撤销";
inline constexpr const char* kRedoCaption = "重做";
inline constexpr const char* kFindPlaceholder = "查找编码或名称";
inline constexpr const char* kTreeFindPlaceholder = "查找表名";
inline constexpr const char* kAddFieldCaption = "添加";
inline constexpr const char* kDeleteFieldCaption = "删除";
inline constexpr const char* kLabelNameCaption = "表名:";
inline constexpr const char* kLabelKindCaption = "类型:";
inline constexpr const char* kLabelDescriptionCaption = "说明:";
inline constexpr const char* kDefinitionFrameCaption = "表定义";
inline constexpr const char* kTableNamesFrameCaption = "表名称";

// Field grid columns: caption and width in pixels (not dialog units: the grid takes pixels).
struct GridColumn {
    const char* caption;
    int widthPx;
};
inline constexpr std::array<GridColumn, 6> kGridColumns{
    {{"字段名", 50}, {"类型", 70}, {"长度", 40}, {"小数位数", 60}, {"说明", 80}, {"字典", 90}}};
inline constexpr int kColumnName = 0;
inline constexpr int kColumnType = 1;
inline constexpr int kColumnLength = 2;
inline constexpr int kColumnDecimals = 3;
inline constexpr int kColumnDescription = 4;
inline constexpr int kColumnDictionary = 5;
inline constexpr const char* kLengthFilter = "0123456789";
// Grid lines, full-row selection, two-click activation.
inline constexpr unsigned kGridExtendedStyle = 0xA1;

}  // namespace quorbel::editor
