#include "cli/cli_transfer.h"
#include "cli/cli_exit_codes.h"

#include <atomic>
#include <iostream>

#include "cli/buffer_text_view.h"
#include "cli/cli_check.h"
#include "cli/cli_file_messages.h"
#include "cli/cli_texts.h"
#include "cli/cli_transfer_args.h"
#include "cli/console.h"
#include "cli/console_progress.h"
#include "cli/console_prompter.h"
#include "cli/interruptible_run.h"
#include "files/file_reader.h"
#include "files/file_writer.h"
#include "interfaces/real_sleeper.h"
#include "link/download.h"
#include "link/upload.h"
#include "serial/com_port_device.h"
#include "serial/serial_port.h"
#include "transcript/traced_transfer.h"

namespace vrk::cli {

namespace {

std::atomic<bool> g_abandoned{false};

// A download or a transcript is kept, also after a failed transfer: it cannot be received again.
// When the file cannot take it after all, the text goes to a new file in the temporary folder
// rather than being lost.
bool KeepOutput(const std::string& text, const std::string& path, std::string_view rescueStem) {
    const FileResult written = path.empty() ? WriteStandardOutput(text) : WriteFile(path, text);
    if (written.ok()) {
        return true;
    }
    std::cerr << CannotWriteMessage(path, written);
    if (!path.empty()) {
        const RescueCopy copy = WriteRescueCopy(rescueStem, text);
        if (copy.result.ok()) {
            std::cerr << texts::kProgram << texts::kSavedInstead << copy.path << '\n';
        }
    }
    return false;
}

TranscriptHeader HeaderFor(TransferKind kind) {
    switch (kind) {
        case TransferKind::UploadCoords:
            return {"vrk410-cli " VRK410_VERSION, "上传坐标", false};
        case TransferKind::UploadPcode:
            return {"vrk410-cli " VRK410_VERSION, "上传PCODE", false};
        case TransferKind::Download:
            break;
    }
    return {"vrk410-cli " VRK410_VERSION, "下传数据", true};
}

int Usage(const std::string& error) {
    std::cerr << texts::kProgram << error << texts::kUsage << TransferUsage();
    return kExitUsage;
}

}  // namespace

bool IsTransferCommand(const std::string& word) {
    return word == "download" || word == "upload";
}

int RunTransferCommand(std::span<const std::string> args) {
    TransferRequest request;
    std::string error;
    if (!ParseTransferArgs(args, request, error)) {
        return Usage(error);
    }

    UploadJob job;
    if (request.kind != TransferKind::Download) {
        std::string text;
        if (const FileResult read = ReadFile(request.path, text); !read.ok()) {
            std::cerr << CannotReadMessage(request.path, read);
            return kExitFailed;
        }
        job = request.kind == TransferKind::UploadCoords ? BuildCoordUploadJob(text)
                                                         : BuildPcodeUploadJob(text);
        WarnAboutUpload(request.kind == TransferKind::UploadCoords, text);
    }
    const bool download = request.kind == TransferKind::Download;
    // Checked before the transfer so that a download never runs only to find it cannot be kept.
    for (const std::string* path : {download ? &request.path : nullptr, &request.tracePath}) {
        if (path == nullptr || path->empty()) {
            continue;
        }
        if (const FileResult writable = CheckWritable(*path); !writable.ok()) {
            std::cerr << CannotWriteMessage(*path, writable);
            return kExitFailed;
        }
    }

    SharedCommSettings settings;
    settings.store(request.settings);
    g_abandoned.store(false);
    SerialPort port({request.device, &g_abandoned});
    // A file takes the whole transcript, however long; memory is the only bound here.
    TranscriptLog transcript(request.tracePath.empty() ? TranscriptLog::kDefaultLimit
                                                       : static_cast<std::size_t>(-1));
    TranscriptRecorder recorder(transcript);
    BufferTextView view;
    ConsolePrompter prompter(std::cin, std::cerr, request.assumeYes);
    ConsoleProgress progress(std::cerr, StandardErrorIsTerminal());
    prompter.setBeforeMessage([&progress] { progress.finish(); });
    RealSleeper sleeper;
    TransferContext context{settings, port, view, prompter, sleeper, progress, g_abandoned};

    const TraceSetup trace{HeaderFor(request.kind),
                           [](const std::string& portName) { return ComPortDevice(portName); },
                           request.tracePath.empty()
                               ? std::string("用 --trace FILE 可保存通讯记录。")
                               : "通讯记录见 " + request.tracePath,
                           request.device};

    bool ok = false;
    // The download and the transcript are written while the key is still only noted: pressed
    // again as the program winds up, it must not cost what was received.
    RunInterruptible(g_abandoned, [&] {
        const TransferOutcome outcome =
            RunTraced(context, recorder, trace, [&](TransferContext& ctx) {
                return download ? RunDownload(ctx) : RunUpload(ctx, job);
            });
        progress.finish();
        ok = outcome.succeeded();
        if (!request.tracePath.empty()) {
            ok = KeepOutput(transcript.text(), request.tracePath, "vrk410-trace") && ok;
        } else if (!ok) {
            for (const std::string& line : recorder.diagnosis()) {
                std::cerr << texts::kProgram << "诊断:" << line << '\n';
            }
        }
        if (download) {
            const std::string text = view.getText();
            // An empty download leaves an earlier file as it was.
            if (!text.empty() || request.path.empty()) {
                ok = KeepOutput(text, request.path, "vrk410-download") && ok;
            }
        }
    });
    if (g_abandoned.load()) {
        std::cerr << texts::kProgram << texts::kInterrupted << '\n';
        ok = false;
    }
    return ok ? kExitOk : kExitFailed;
}

}  // namespace vrk::cli
