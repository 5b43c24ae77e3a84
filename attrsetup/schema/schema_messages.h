#pragma once

#include <string>
#include <string_view>

#include "schema/schema_findings.h"

namespace quorbel {

// Texts printed on the host's command line. Written here in UTF-8; message() gives the GBK bytes.
namespace messages {
inline constexpr std::string_view kAttributeFileNotFound = "\n没有找到属性文件!";
inline constexpr std::string_view kAttributeDefNotFound = "\n没有找到attribute.def文件!";
inline constexpr std::string_view kIndexIniNotFound = "\n没有找到INDEX.INI文件!";
inline constexpr std::string_view kIndexIniUnreadable =
    "\nINDEX.INI文件未能读入,为保护原有内容,不写入该文件!";
inline constexpr std::string_view kAttributeDefUnreadable =
    "\nattribute.def文件未能读入,为保护原有内容,不写入该文件!";
inline constexpr std::string_view kSaveFailed =
    "\n写入INDEX.INI或attribute.def文件失败,原文件保持不变!";
inline constexpr std::string_view kIndexIniReadOnly = "\nINDEX.INI文件是只读的,不能写入!";
inline constexpr std::string_view kAttributeDefReadOnly = "\nattribute.def文件是只读的,不能写入!";
inline constexpr std::string_view kOnlyIndexIniSaved =
    "\nINDEX.INI已写入,attribute.def写入失败,两个文件的内容现在不一致!";
inline constexpr std::string_view kIndexIniMayBeDamaged =
    "\nINDEX.INI写入失败,原内容也未能恢复,该文件可能已损坏!";
inline constexpr std::string_view kAttributeDefMayBeDamaged =
    "\nattribute.def写入失败,原内容也未能恢复,该文件可能已损坏!";
// %zu is the line number; filled in by incompleteTableLine().
inline constexpr std::string_view kIncompleteTableLine =
    "\nattribute.def第%zu行的表定义不完整,该行及其后的内容未读入,保存时将原样保留!";
// What the next save will not write back; %zu is a count or the first line, %s the line numbers.
inline constexpr std::string_view kIndexIniNotFeatureLines =
    "\nINDEX.INI中有%zu行不是地物行(如备注、标题),保存时不会写回:第%s行!";
inline constexpr std::string_view kIndexIniAfterEnd =
    "\nINDEX.INI第%zu行起的内容在END行之后,保存时不会写回!";
inline constexpr std::string_view kAttributeDefShortLines =
    "\nattribute.def中有%zu行逗号少于四个,不是字段行,保存时不会写回:第%s行!";
inline constexpr std::string_view kAttributeDefFieldsBeforeTable =
    "\nattribute.def中有%zu行字段行在第一个表行之前,保存时不会写回:第%s行!";
inline constexpr std::string_view kAttributeDefAfterEnd =
    "\nattribute.def第%zu行起的内容在[END]行之后,保存时不会写回!";
inline constexpr std::string_view kIndexIniValuesCut =
    "\nINDEX.INI中有%zu行的值含有空格,空格之后的文字保存时不会写回:第%s行!";
inline constexpr std::string_view kAttributeDefValuesCut =
    "\nattribute.def中有%zu行的值含有空格,空格之后的文字保存时不会写回:第%s行!";
inline constexpr std::string_view kAttributeDefDictionariesDropped =
    "\nattribute.def中有%zu行字段不是字符串类型却带有字典,字典保存时不会写回:第%s行!";
inline constexpr std::string_view kIndexIniParamsNotNumbers =
    "\nINDEX.INI中有%zu行的参数不是数字,保存时将写为0.0000:第%s行!";
}  // namespace messages

// The GBK bytes of a message.
std::string message(std::string_view utf8Text);
std::string incompleteTableLineMessage(std::size_t line);
// One message for all lines of one kind, naming the first few of them.
std::string linesNotWrittenBackMessage(const LinesNotWrittenBack& lines);

}  // namespace quorbel
