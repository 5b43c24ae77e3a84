#include "shell/windows/file_failure_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "files/file_failure_reason.h"

namespace vrk {

namespace {

std::string Shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

}  // namespace

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString OpenFailureReason(const QString& path, const FileResult& result) {
    return QString::fromStdString(ReadFailureReason(result, Shown(path)));
}

QString SaveFailureReason(const QString& path, const FileResult& result) {
    return QString::fromStdString(WriteFailureReason(result, Shown(path)));
}

}  // namespace vrk
