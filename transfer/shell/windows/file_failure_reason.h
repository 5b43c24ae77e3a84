#pragma once

#include <QString>
#include <string>

#include "files/file_result.h"

namespace vrk {

// A file name as the file reader and writer take it: the system's own encoding of the name.
std::string LocalPath(const QString& path);

// Why a file could not be read or written, for the lines after "打开文档失败。" /
// "保存文档失败。": the reason the reader or writer gave, with the full path shown as the
// system writes it.
QString OpenFailureReason(const QString& path, const FileResult& result);
QString SaveFailureReason(const QString& path, const FileResult& result);

}  // namespace vrk
