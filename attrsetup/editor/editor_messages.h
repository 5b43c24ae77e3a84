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

}  // namespace quorbel::editor::messages
