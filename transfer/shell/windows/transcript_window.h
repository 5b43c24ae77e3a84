#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "transcript/transcript_log.h"

class QLabel;
class QPlainTextEdit;

namespace vrk {

class Prompter;
class ShellDialogs;

// 通讯记录: the transcript of the current or last transfer, not modal, following the log while a
// transfer writes it, with 保存 and 复制.
class CTranscriptWindow final : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kTextName = "transcriptText";
    static constexpr const char* kDroppedName = "transcriptDropped";
    static constexpr const char* kSaveName = "transcriptSave";
    static constexpr const char* kCopyName = "transcriptCopy";

    CTranscriptWindow(std::shared_ptr<const TranscriptLog> log, ShellDialogs& dialogs,
                      Prompter& prompter, QWidget* parent = nullptr);

    // Takes in what the log gained since the last look.
    void refresh();

  private:
    void save();
    void copy();

    std::shared_ptr<const TranscriptLog> log_;
    ShellDialogs& dialogs_;
    Prompter& prompter_;
    QPlainTextEdit* text_ = nullptr;
    QLabel* dropped_ = nullptr;
    QTimer timer_;
    std::uint64_t generation_ = 0;
    std::uint64_t end_ = 0;
    std::uint64_t droppedShown_ = 0;
};

}  // namespace vrk
