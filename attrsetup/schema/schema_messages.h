#pragma once

#include <string>
#include <string_view>

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
// %zu is the line number; filled in by incompleteTableLine().
inline constexpr std::string_view kIncompleteTableLine =
    "\nattribute.def第%zu行的表定义不完整,该行及其后的内容未读入,保存时将原样保留!";
}  // namespace messages

// The GBK bytes of a message.
std::string message(std::string_view utf8Text);
std::string incompleteTableLineMessage(std::size_t line);

}  // namespace quorbel
