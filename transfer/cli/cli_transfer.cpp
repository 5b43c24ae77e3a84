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
#include "cli/cli_check.h"
#include "cli/cli_console_prompter.h"
#include "cli/cli_progress.h"
#include "cli/cli_transfer_args.h"
#include "link/download.h"
#include "link/link_messages.h"
#include "link/upload.h"
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
        WarnAboutUpload(request.kind == TransferKind::UploadCoords, text);
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
    BufferTextView view;
    ConsolePrompter prompter(std::cin, std::cerr, request.assumeYes);
    ConsoleProgress progress(std::cerr, ::isatty(STDERR_FILENO) == 1);
    prompter.setBeforeMessage([&progress] { progress.finish(); });
    RealSleeper sleeper;
    TransferContext context{settings, port, view, prompter, sleeper, progress, g_abandoned};

    const auto previous = std::signal(SIGINT, OnInterrupt);
    if (request.kind == TransferKind::Download) {
        DownloadThreadProc(context);
    } else {
        UploadThreadProc(context, job);
    }
    std::signal(SIGINT, previous);
    progress.finish();

    const auto& reports = prompter.reports();
    bool ok = request.kind == TransferKind::Download
                  ? reports.empty()
                  : reports.size() == 1 && reports.front() == kMsgFinished;
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
