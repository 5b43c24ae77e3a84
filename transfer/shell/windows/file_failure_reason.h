#pragma once

#include <QString>

namespace vrk {

// Why a file could not be read or written, in one Chinese sentence for the second line of
// "打开文档失败。" / "保存文档失败。". Looked up after the failure from what the file system
// says now: a missing file or folder, missing rights, a full or read-only disk.
QString OpenFailureReason(const QString& path);
QString SaveFailureReason(const QString& path, qint64 bytesToWrite);

}  // namespace vrk
