#include "shell/windows/vrk410_view.h"

#include <QFontDatabase>
#include <QScrollBar>

#include "commands/convert_commands.h"
#include "commands/transfer_command.h"
#include "commands/transfer_commands.h"
#include "link/link_texts.h"
#include "link/upload.h"
#include "serial/com_port_device.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/windows/shell_texts.h"
#include "shell/windows/vrk410_doc.h"
#include "transcript/traced_transfer.h"

namespace vrk {

namespace {

constexpr int kTabStopChars = 8;  // 32 dialog units of the edit control
constexpr int kTransferRefreshMs = 100;
constexpr const char* kProgramName = "VRK410 " VRK410_VERSION;
constexpr const char* kWhereToSeeTranscript = "详细记录见 通讯 → 通讯记录。";

QFont ViewFont() {
    // A fixed pitch font whose CJK glyphs are twice the Latin width keeps the columns of
    // received records aligned, as the old fixed system font did.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("DejaVu Sans Mono"),
                      font.family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

CVRK410View::CVRK410View(Services services, QWidget* parent)
    : QPlainTextEdit(parent),
      prompter_(services.prompter),
      dialogs_(services.dialogs),
      // The view holds no more than a document may have, so that a saved download opens again.
      services_(*this, static_cast<std::size_t>(CVRK410Doc::kMaxFileSize)),
      runner_(TransferRunner::Parts{this, services_, prompter_, settings_, progress_,
                                    std::move(services.portFactory), services.sleeper}) {
    setObjectName(QStringLiteral("CVRK410View"));
    refresh_.setInterval(kTransferRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &CVRK410View::refreshDuringTransfer);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(ViewFont());
    setTabStopDistance(kTabStopChars * fontMetrics().horizontalAdvance(QLatin1Char('x')));
}

CVRK410View::~CVRK410View() {
    abandonTransfer();
}

void CVRK410View::loadRawText(std::string_view bytes) {
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    setPlainText(ViewStringOf(bytes));
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    moveCursor(QTextCursor::Start);
}

void CVRK410View::abandonTransfer() {
    runner_.abandon();
    endTransfer();
}

// The transfer's insertions carry no undo records, and the user's edits during an upload are
// not mixed with them either.
void CVRK410View::beginTransfer() {
    document()->setUndoRedoEnabled(false);
    // Painting after every received line would cost more than receiving it; the view is drawn
    // on a steady beat instead while the transfer runs.
    setUpdatesEnabled(false);
    refresh_.start();
}

void CVRK410View::endTransfer() {
    refresh_.stop();
    setUpdatesEnabled(true);
    document()->setUndoRedoEnabled(true);
    progress_.end();
}

void CVRK410View::refreshDuringTransfer() {
    setUpdatesEnabled(true);
    repaint();
    setUpdatesEnabled(false);
}

void CVRK410View::OnCommSettings() {
    CommSettings settings = settings_.load();
    if (dialogs_.editCommSettings(this, settings)) {
        settings_.store(settings);
    }
}

// The port is opened without sharing: a second transfer could never open it, and refusing it
// here, before its thread clears the view, keeps the first transfer's text.
bool CVRK410View::refuseIfBusy() {
    if (!runner_.isRunning()) {
        return false;
    }
    prompter_.showMessage(std::string(kMsgCannotOpenPort) + "\n" + texts::kPortBusyHere);
    return true;
}

void CVRK410View::startTransfer(TransferCommand command) {
    beginTransfer();
    auto outcome = std::make_shared<TransferOutcome>();
    const TraceSetup trace{command.header,
                           [](const std::string& portName) { return ComPortDevice(portName); },
                           kWhereToSeeTranscript,
                           {}};
    runner_.start(
        [log = transcript_, trace, outcome, run = std::move(command.run)](TransferContext& ctx) {
            TranscriptRecorder recorder(*log);
            *outcome = RunTraced(ctx, recorder, trace, run);
        },
        [this, outcome] {
            lastOutcome_ = *outcome;
            endTransfer();
            emit transferFinished();
        });
    emit transferStarted();
}

void CVRK410View::OnDownload() {
    if (!ConfirmDownload(services_, prompter_) || refuseIfBusy()) {
        return;
    }
    progress_.begin(TransferProgress::Kind::Download);
    startTransfer(TransferCommand::Download(kProgramName));
}

void CVRK410View::startUpload(const UploadJob& job) {
    m_bUploadCoords = job.uploadCoords;
    m_strUpload = job.uploadBuffer;
    progress_.begin(TransferProgress::Kind::Upload, CountUploadBlocks(job));
    startTransfer(TransferCommand::Upload(kProgramName, job));
}

void CVRK410View::OnUploadCoords() {
    const std::optional<UploadJob> job = PrepareCoordUpload(services_, prompter_, prompter_);
    if (job && !refuseIfBusy()) {
        startUpload(*job);
    }
}

void CVRK410View::OnUploadPcode() {
    const std::optional<UploadJob> job = PreparePcodeUpload(services_, prompter_, prompter_);
    if (job && !refuseIfBusy()) {
        startUpload(*job);
    }
}

// A conversion replaces the text a running transfer is still writing into; the frame greys
// the commands out meanwhile, and a key that still reaches them does nothing.
void CVRK410View::OnConvertDelf() {
    if (!runner_.isRunning()) {
        reportConversion(vrk::OnConvertDelf(services_, prompter_));
    }
}

void CVRK410View::OnConvertPcode() {
    if (!runner_.isRunning()) {
        reportConversion(vrk::OnConvertPcode(services_, prompter_));
    }
}

void CVRK410View::reportConversion(const std::string& report) {
    if (!report.empty()) {
        emit conversionReported(QString::fromStdString(report));
    }
}

}  // namespace vrk
