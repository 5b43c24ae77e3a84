#include "cli/cli_transfer.h"

#include <unistd.h>

#include <QCoreApplication>
#include <atomic>
#include <csignal>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "cli/buffer_text_view.h"
#include "cli/cli_console_prompter.h"
#include "cli/cli_progress.h"
#include "cli/cli_transfer_args.h"
#include "link/download.h"
#include "link/traced_transfer.h"
#include "link/upload.h"
#include "serial/com_port_device.h"
#include "serial/qt_serial_port.h"
#include "view/real_sleeper.h"

namespace vrk::cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

std::atomic<bool> g_abandoned{false};

// The first Ctrl+C asks the transfer to give up (the port is closed and what arrived is kept);
// a second one ends the program the ordinary way.
extern "C" void OnInterrupt(int) {
    g_abandoned.store(true);
    std::signal(SIGINT, SIG_DFL);
}

bool ReadInput(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// QSerialPort needs the thread it runs in to have an event dispatcher, which the main thread
// only gets from an application object.
std::unique_ptr<QCoreApplication> EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 1;
    static char name[] = "vrk410-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
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

// Checked before the transfer without emptying an existing file: the transcript replaces it
// only once it is complete.
bool CanWrite(const std::string& path) {
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::app));
}

bool WriteTranscript(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return static_cast<bool>(out);
}

int Usage(const std::string& error) {
    std::cerr << "vrk410-cli: " << error << "\nusage:\n" << TransferUsage();
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
        if (!ReadInput(request.path, text)) {
            std::cerr << "vrk410-cli: cannot read " << request.path << '\n';
            return kExitFailed;
        }
        job = request.kind == TransferKind::UploadCoords ? BuildCoordUploadJob(text)
                                                         : BuildPcodeUploadJob(text);
    }
    if (!request.tracePath.empty() && !CanWrite(request.tracePath)) {
        std::cerr << "vrk410-cli: cannot write " << request.tracePath << '\n';
        return kExitFailed;
    }

    // Opened before the transfer so that a download never runs only to find it cannot be kept.
    std::ofstream file;
    if (request.kind == TransferKind::Download && !request.path.empty()) {
        file.open(request.path, std::ios::binary | std::ios::trunc);
        if (!file) {
            std::cerr << "vrk410-cli: cannot write " << request.path << '\n';
            return kExitFailed;
        }
    }

    const auto application = EnsureApplication();
    SharedCommSettings settings;
    settings.store(request.settings);
    g_abandoned.store(false);
    QtSerialPort port({request.device, &g_abandoned});
    // A file takes the whole transcript, however long; memory is the only bound here.
    TranscriptLog transcript(request.tracePath.empty() ? TranscriptLog::kDefaultLimit
                                                       : static_cast<std::size_t>(-1));
    TranscriptRecorder recorder(transcript);
    BufferTextView view;
    ConsolePrompter prompter(std::cin, std::cerr, request.assumeYes);
    ConsoleProgress progress(std::cerr, ::isatty(STDERR_FILENO) == 1);
    prompter.setBeforeMessage([&progress] { progress.finish(); });
    RealSleeper sleeper;
    TransferContext context{settings, port, view, prompter, sleeper, progress, g_abandoned};
    const TraceSetup trace{
        HeaderFor(request.kind),
        [&request](const std::string& portName) {
            return request.device.empty() ? ComPortDevice(portName) : request.device;
        },
        request.tracePath.empty() ? std::string("用 --trace FILE 可保存通讯记录。")
                                  : "通讯记录见 " + request.tracePath};

    const auto previous = std::signal(SIGINT, OnInterrupt);
    const TransferOutcome outcome =
        RunTraced(context, recorder, trace, [&request, &job](TransferContext& ctx) {
            return request.kind == TransferKind::Download ? RunDownload(ctx) : RunUpload(ctx, job);
        });
    std::signal(SIGINT, previous);
    progress.finish();

    bool ok = outcome.succeeded();
    if (!request.tracePath.empty()) {
        if (!WriteTranscript(request.tracePath, transcript.text())) {
            std::cerr << "vrk410-cli: cannot write " << request.tracePath << '\n';
            ok = false;
        }
    } else if (!ok) {
        for (const std::string& line : recorder.diagnosis()) {
            std::cerr << "vrk410-cli: 诊断:" << line << '\n';
        }
    }
    if (request.kind == TransferKind::Download) {
        // Whatever arrived is kept, also after a failure: it is what the view would show.
        const std::string text = view.getText();
        std::ostream& out = request.path.empty() ? std::cout : file;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            std::cerr << "vrk410-cli: cannot write "
                      << (request.path.empty() ? "standard output" : request.path) << '\n';
            ok = false;
        }
    }
    if (g_abandoned.load()) {
        std::cerr << "vrk410-cli: interrupted\n";
        ok = false;
    }
    return ok ? kExitOk : kExitFailed;
}

}  // namespace vrk::cli
