#include "shell/windows/recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

#include "shell/program_profile.h"

namespace vrk {

namespace {

constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPreviewPages = "PreviewPages";

QString EntryKey(int index) {
    return QString::fromLatin1("%1/File%2").arg(QLatin1String(kRecentSection)).arg(index + 1);
}

}  // namespace

void RecentFileList::load() {
    QSettings profile = ProgramProfile();
    entries_.clear();
    for (int i = 0; i < kSize; ++i) {
        const QString path = profile.value(EntryKey(i)).toString();
        if (!path.isEmpty()) {
            entries_.append(path);
        }
    }
    previewPages_ = profile
                        .value(QString::fromLatin1("%1/%2").arg(QLatin1String(kSettingsSection),
                                                                QLatin1String(kPreviewPages)),
                               0)
                        .toInt();
}

void RecentFileList::save() const {
    QSettings profile = ProgramProfile();
    profile.remove(QLatin1String(kRecentSection));
    for (int i = 0; i < entries_.size() && i < kSize; ++i) {
        profile.setValue(EntryKey(i), entries_[i]);
    }
    if (previewPages_ != 0) {
        profile.setValue(QString::fromLatin1("%1/%2").arg(QLatin1String(kSettingsSection),
                                                          QLatin1String(kPreviewPages)),
                         previewPages_);
    }
}

void RecentFileList::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    entries_.removeAll(absolute);
    entries_.prepend(absolute);
    while (entries_.size() > kSize) {
        entries_.removeLast();
    }
}

void RecentFileList::remove(const QString& path) {
    entries_.removeAll(path);
}

}  // namespace vrk
