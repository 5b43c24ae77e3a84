#include "shell/windows/file_failure_reason.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace vrk {

namespace {

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool Denied(const QString& path, int mode) {
    return ::access(QFile::encodeName(path).constData(), mode) != 0 && errno == EACCES;
}

// The nearest folder on the way to `path` that exists, for the disk checks.
QString ExistingFolder(const QString& path) {
    QDir dir = QFileInfo(path).absoluteDir();
    while (!dir.exists() && !dir.isRoot()) {
        dir.setPath(QFileInfo(dir.absolutePath()).absolutePath());
    }
    return dir.absolutePath();
}

}  // namespace

QString OpenFailureReason(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists()) {
        return QStringLiteral("文件夹 %1 不存在。").arg(Shown(folder.absoluteFilePath()));
    }
    if (Denied(folder.absoluteFilePath(), X_OK)) {
        return QStringLiteral("没有打开文件夹 %1 的权限。").arg(Shown(folder.absoluteFilePath()));
    }
    if (!file.exists()) {
        return QStringLiteral("文件 %1 不存在。").arg(Shown(file.absoluteFilePath()));
    }
    if (file.isDir()) {
        return QStringLiteral("%1 是文件夹，不是文件。").arg(Shown(file.absoluteFilePath()));
    }
    if (Denied(file.absoluteFilePath(), R_OK)) {
        return QStringLiteral("没有读取文件 %1 的权限。").arg(Shown(file.absoluteFilePath()));
    }
    return QStringLiteral("读取文件 %1 时出错，它可能在一个已断开的磁盘或网络位置上。")
        .arg(Shown(file.absoluteFilePath()));
}

QString SaveFailureReason(const QString& path, qint64 bytesToWrite) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    const QString shownFile = Shown(file.absoluteFilePath());
    const QString shownFolder = Shown(folder.absoluteFilePath());
    if (!folder.exists()) {
        return QStringLiteral("文件夹 %1 不存在。").arg(shownFolder);
    }
    if (file.isDir()) {
        return QStringLiteral("%1 是文件夹，不是文件。").arg(shownFile);
    }
    struct statvfs disk {};
    if (::statvfs(QFile::encodeName(ExistingFolder(path)).constData(), &disk) == 0) {
        if ((disk.f_flag & ST_RDONLY) != 0) {
            return QStringLiteral("文件夹 %1 所在的磁盘是只读的。").arg(shownFolder);
        }
        const auto freeBytes = static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize;
        if (freeBytes < static_cast<unsigned long long>(bytesToWrite)) {
            return QStringLiteral("磁盘已满：文件夹 %1 所在的磁盘没有足够的空间。")
                .arg(shownFolder);
        }
    }
    if (file.exists() && Denied(file.absoluteFilePath(), W_OK)) {
        return QStringLiteral("没有写入文件 %1 的权限。").arg(shownFile);
    }
    if (Denied(folder.absoluteFilePath(), W_OK | X_OK)) {
        return QStringLiteral("没有在文件夹 %1 中保存文件的权限。").arg(shownFolder);
    }
    return QStringLiteral("写入文件 %1 时出错，磁盘可能已满或已断开。").arg(shownFile);
}

}  // namespace vrk
