#pragma once

#include <QString>
#include <QStringList>

namespace vrk {

// The profile: the four most recent files and the print-preview page count, nothing else.
// Stored under "Local AppWizard-Generated Applications" / "VRK410".
class RecentFileList {
  public:
    static constexpr int kSize = 4;

    void load();
    void save() const;

    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& entries() const { return entries_; }

    int previewPages() const { return previewPages_; }
    void setPreviewPages(int pages) { previewPages_ = pages; }

  private:
    QStringList entries_;
    int previewPages_ = 0;
};

}  // namespace vrk
