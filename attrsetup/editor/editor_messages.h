#pragma once

// Texts of the dialog's message boxes, in UTF-8; %1 and %2 are filled in with QString::arg.
namespace quorbel::editor::messages {

inline constexpr const char* kTableNameEmpty = "表名不能为空,请重新输入表名!";
// The two differ in one character: 其他 when the current table is saved, 其它 for a new one.
inline constexpr const char* kTableNameTakenByOther = "已经存在%1表,请选择其他名称!";
inline constexpr const char* kTableNameTakenByAny = "已经存在%1表,请选择其它名称!";
inline constexpr const char* kTableNameTooLong = "表名不能超过%1个字节,请重新输入表名!";
inline constexpr const char* kTableNameSeparator = "表名不能含有逗号或空格,请重新输入表名!";
inline constexpr const char* kTableDescriptionTooLong = "说明不能超过%1个字节,请重新输入说明!";
inline constexpr const char* kTableDescriptionComma = "说明不能含有逗号,请重新输入说明!";
inline constexpr const char* kUnencodable = "%1中含有无法保存的字符,请重新输入!";
inline constexpr const char* kFieldNameTooLong = "第%1行字段名不能超过%2个字节,请重新输入字段名!";
inline constexpr const char* kFieldNameSeparator =
    "第%1行字段名不能含有逗号或空格,请重新输入字段名!";
inline constexpr const char* kFieldDescriptionTooLong =
    "第%1行说明不能超过%2个字节,请重新输入说明!";
inline constexpr const char* kFieldDescriptionSeparator =
    "第%1行说明不能含有逗号或空格,请重新输入说明!";
inline constexpr const char* kFieldNumberTooLarge = "第%1行长度或小数位数过大,请重新输入!";
inline constexpr const char* kConfirmDeleteTable = "确定要删除%1表么?";
inline constexpr const char* kConfirmCaption = "确认";

// Another administrator holds the files; %1 is "user 在 host 上正在编辑属性结构(自 time 起)".
inline constexpr const char* kLockedQuestion =
    "%1。\n\n只读打开:可以查看,不能修改,也不能保存。\n取消:不打开。";
inline constexpr const char* kOpenReadOnly = "只读打开";
inline constexpr const char* kReadOnlyCaption = "属性结构设置(只读)";
// One line per file: %1 its name, %2 when it changed.
inline constexpr const char* kChangedFileLine = "%1 在本对话框打开后已被修改(%2)。";
inline constexpr const char* kChangedQuestion =
    "%1\n\n覆盖:写入本对话框中的内容,别处所做的修改将丢失。\n取消:不写入,继续编辑。";
inline constexpr const char* kChangedCaption = "文件已被修改";
inline constexpr const char* kOverwrite = "覆盖";
inline constexpr const char* kCancel = "取消";

}  // namespace quorbel::editor::messages
