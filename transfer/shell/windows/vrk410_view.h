#pragma once

#include <QPlainTextEdit>
#include <QTimer>

#include <memory>
#include <string>

#include "link/comm_settings.h"
#include "link/transfer_outcome.h"
#include "link/upload.h"
#include "shell/transfer/port_factory.h"
#include "shell/transfer/transfer_progress.h"
#include "shell/transfer/transfer_runner.h"
#include "shell/windows/edit_text_services.h"
#include "transcript/transcript_log.h"
#include "transcript/transcript_recorder.h"

namespace vrk {

class ShellDialogs;
class ShellPrompter;
struct TransferCommand;

// The one text view of the program. It shows the document's bytes through the lossless GBK
// mapping, owns the communication settings and the upload buffer, and handles the
// communication and conversion commands by forwarding to the transfer and conversion cores.
// A transfer's worker thread reaches the view only through the TransferContext its runner hands
// it (UI-thread text services and message boxes); there is no global pointer to the view.
class CVRK410View final : public QPlainTextEdit {
    Q_OBJECT
  public:
    struct Services {
        ShellPrompter& prompter;
        ShellDialogs& dialogs;
        PortFactory portFactory;
        Sleeper* sleeper = nullptr;  // tests: count pauses instead of waiting
    };

    CVRK410View(Services services, QWidget* parent = nullptr);
    ~CVRK410View() override;

    // The upload buffer and its kind, as the last upload command left them.
    bool m_bUploadCoords = false;
    std::string m_strUpload;

    CommSettings commSettings() const { return settings_.load(); }
    void setCommSettings(const CommSettings& settings) { settings_.store(settings); }

    // The document's bytes; for saving, check `unencodable` first.
    ViewBytes rawText() const { return EditorBytes(*this); }
    // A new document's or an opened file's text: unmodified, nothing to undo.
    void loadRawText(std::string_view bytes);

    TextView& textServices() { return services_; }
    ShellPrompter& prompter() { return prompter_; }
    const TransferProgress& progress() const { return progress_; }
    bool isTransferRunning() const { return runner_.isRunning(); }
    // At quit: give up the running transfer and close its port, within a bound.
    void abandonTransfer();
    // The transcript of the current or last transfer, written while it runs.
    std::shared_ptr<const TranscriptLog> transcript() const { return transcript_; }
    // How the last finished transfer ended.
    const TransferOutcome& lastOutcome() const { return lastOutcome_; }

    void OnCommSettings();
    void OnDownload();
    void OnUploadCoords();
    void OnUploadPcode();
    void OnConvertDelf();
    void OnConvertPcode();

  signals:
    void transferStarted();
    void transferFinished();
    // What a conversion made, for the status bar.
    void conversionReported(const QString& report);

  private:
    bool refuseIfBusy();
    void beginTransfer();
    void endTransfer();
    void refreshDuringTransfer();
    void startUpload(const UploadJob& job);
    // Starts `command` recorded in the transcript.
    void startTransfer(TransferCommand command);
    void reportConversion(const std::string& report);

    ShellPrompter& prompter_;
    ShellDialogs& dialogs_;
    SharedCommSettings settings_;
    EditTextServices services_;
    TransferProgress progress_;
    QTimer refresh_;
    std::shared_ptr<TranscriptLog> transcript_ = std::make_shared<TranscriptLog>();
    TransferOutcome lastOutcome_;
    TransferRunner runner_;
};

}  // namespace vrk
