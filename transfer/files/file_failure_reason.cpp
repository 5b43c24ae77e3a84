#include "files/file_failure_reason.h"

namespace vrk {

namespace {

std::string FolderOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string_view::npos) {
        return ".";
    }
    return std::string(path.substr(0, separator == 0 ? 1 : separator));
}

// `text` with its one "%1" replaced by `value`.
std::string Filled(std::string_view text, std::string_view value) {
    std::string filled(text);
    filled.replace(filled.find("%1"), 2, value);
    return filled;
}

}  // namespace

std::string ReadFailureReason(const FileResult& result, std::string_view shownPath) {
    const std::string folder = FolderOf(shownPath);
    switch (result.fault) {
        case FileFault::FolderMissing:
            return Filled("文件夹 %1 不存在。", folder);
        case FileFault::FolderDenied:
            return Filled("没有打开文件夹 %1 的权限。", folder);
        case FileFault::FileMissing:
        case FileFault::DanglingLink:
            return Filled("文件 %1 不存在。", shownPath);
        case FileFault::IsFolder:
            return Filled("%1 是文件夹，不是文件。", shownPath);
        case FileFault::Denied:
            return Filled("没有读取文件 %1 的权限。", shownPath);
        case FileFault::TooLarge:
            return Filled("文件 %1 太大。", shownPath);
        case FileFault::None:
        case FileFault::ReadOnlyDisk:
        case FileFault::DiskFull:
        case FileFault::Io:
            break;
    }
    return Filled("读取文件 %1 时出错，它可能在一个已断开的磁盘或网络位置上。", shownPath);
}

namespace {

std::string WriteFault(const FileResult& result, std::string_view shownPath) {
    const std::string folder = FolderOf(shownPath);
    switch (result.fault) {
        case FileFault::FolderMissing:
            return Filled("文件夹 %1 不存在。", folder);
        case FileFault::FolderDenied:
            return Filled("没有在文件夹 %1 中保存文件的权限。", folder);
        case FileFault::IsFolder:
            return Filled("%1 是文件夹，不是文件。", shownPath);
        case FileFault::ReadOnlyDisk:
            return Filled("文件夹 %1 所在的磁盘是只读的。", folder);
        case FileFault::DiskFull:
            return Filled("磁盘已满：文件夹 %1 所在的磁盘没有足够的空间。", folder);
        case FileFault::Denied:
            return Filled("没有写入文件 %1 的权限。", shownPath);
        case FileFault::DanglingLink:
            return Filled("%1 是一个链接，它指向的文件不存在；为了不把链接换成文件，没有保存。",
                          shownPath);
        case FileFault::TooLarge:
            return Filled("文件 %1 超过了系统允许的文件大小。", shownPath);
        case FileFault::None:
        case FileFault::FileMissing:
        case FileFault::Io:
            break;
    }
    return Filled("写入文件 %1 时出错，磁盘可能已满或已断开。", shownPath);
}

}  // namespace

std::string WriteFailureReason(const FileResult& result, std::string_view shownPath) {
    std::string reason = WriteFault(result, shownPath);
    if (result.damaged) {
        reason += '\n';
        reason += Filled("文件 %1 可能已损坏：新内容没有写完，原来的内容也没能恢复。", shownPath);
    }
    return reason;
}

}  // namespace vrk
