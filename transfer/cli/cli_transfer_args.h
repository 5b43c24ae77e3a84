#pragma once

#include <span>
#include <string>

#include "link/comm_settings.h"

namespace vrk::cli {

enum class TransferKind { Download, UploadCoords, UploadPcode };

struct TransferRequest {
    TransferKind kind = TransferKind::Download;
    // Download: the output file (empty: standard output). Uploads: the input file.
    std::string path;
    // A fresh program's settings, changed by the port options.
    CommSettings settings;
    // --port DEVICE: this device instead of the COM port of `settings`.
    std::string device;
    // --yes: the prompts do not wait for Enter.
    bool assumeYes = false;
    // --trace FILE: the transcript of the transfer goes there (empty: none is written).
    std::string tracePath;
};

// `args` starts at the subcommand ("download" or "upload"). False with a one-line reason in
// `error` when the words are not a transfer command line.
bool ParseTransferArgs(std::span<const std::string> args, TransferRequest& request,
                       std::string& error);

// The transfer part of the usage text, one command or option per line.
const char* TransferUsage();

}  // namespace vrk::cli
