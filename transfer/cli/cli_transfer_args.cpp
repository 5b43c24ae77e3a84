#include "cli/cli_transfer_args.h"

#include <array>
#include <charconv>
#include <string_view>

#include "cli/cli_texts.h"
#include "link/comm_settings_rules.h"

namespace vrk::cli {

namespace {

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

template <std::size_t N, typename T>
bool IndexOf(const std::array<T, N>& values, const T& value, std::int32_t& index) {
    for (std::size_t i = 0; i < N; ++i) {
        if (values[i] == value) {
            index = static_cast<std::int32_t>(i);
            return true;
        }
    }
    return false;
}

// One port option and its value; false with `error` set when the value is not one of the
// dialog's choices.
bool ApplyPortOption(std::string_view name, std::string_view value, TransferRequest& request,
                     std::string& error) {
    CommSettings& settings = request.settings;
    int number = 0;
    bool ok = false;
    if (name == "--port") {
        ok = true;
        if (IndexOf(kPortNames, value, settings.m_nPort)) {
            request.device.clear();
        } else if (!value.empty()) {
            request.device = std::string(value);
        } else {
            ok = false;
        }
    } else if (name == "--baud") {
        ok = ParseInt(value, number) && IndexOf(kBaudRates, number, settings.m_nBaud);
    } else if (name == "--data-bits") {
        ok = ParseInt(value, number) && (number == 7 || number == 8);
        settings.m_nDataBits = number == 7 ? 0 : 1;
    } else if (name == "--stop-bits") {
        ok = ParseInt(value, number) && (number == 1 || number == 2);
        settings.m_nStopBits = number == 2 ? 1 : 0;
    } else if (name == "--parity") {
        constexpr std::array<std::string_view, 3> kParities = {"none", "odd", "even"};
        ok = IndexOf(kParities, value, settings.m_nParity);
    } else if (name == "--protocol") {
        ok = value == "none" || value == "acknak";
        settings.m_nProtocol = value == "acknak" ? kProtocolAckNak : kProtocolNone;
    } else if (name == "--delay") {
        ok = ParseInt(value, number) && number >= kMinRecvDelay && number <= kMaxRecvDelay;
        settings.m_nRecvDelay = number;
    } else {
        error = texts::kUnknownOption + std::string(name);
        return false;
    }
    if (!ok) {
        error = texts::kInvalidValue + std::string(name) + " " + std::string(value);
    }
    return ok;
}

bool TakesValue(std::string_view name) {
    return name == "--port" || name == "--baud" || name == "--data-bits" || name == "--stop-bits" ||
           name == "--parity" || name == "--protocol" || name == "--delay" || name == "-o" ||
           name == "--output" || name == "--trace";
}

}  // namespace

bool ParseTransferArgs(std::span<const std::string> args, TransferRequest& request,
                       std::string& error) {
    request = TransferRequest{};
    std::size_t next = 0;
    if (args.empty()) {
        error = texts::kMissingCommand;
        return false;
    }
    if (args[0] == "download") {
        request.kind = TransferKind::Download;
        next = 1;
    } else if (args[0] == "upload" && args.size() > 1 &&
               (args[1] == "coords" || args[1] == "pcode")) {
        request.kind = args[1] == "coords" ? TransferKind::UploadCoords : TransferKind::UploadPcode;
        next = 2;
    } else {
        error = args[0] == "upload" ? std::string(texts::kUploadNeedsKind)
                                    : texts::kUnknownCommand + args[0];
        return false;
    }

    bool outputSeen = false;
    bool inputSeen = false;
    for (std::size_t i = next; i < args.size(); ++i) {
        std::string_view word = args[i];
        std::string_view value;
        bool hasValue = false;
        if (word.starts_with("--") && word.find('=') != std::string_view::npos) {
            const auto eq = word.find('=');
            value = word.substr(eq + 1);
            word = word.substr(0, eq);
            hasValue = true;
        }
        if (word == "--yes" || word == "-y") {
            request.assumeYes = true;
            continue;
        }
        if (TakesValue(word)) {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = std::string(word) + texts::kMissingValue;
                    return false;
                }
                value = args[++i];
            }
            if (word == "-o" || word == "--output") {
                if (request.kind != TransferKind::Download || outputSeen) {
                    error = texts::kOneDownloadOutput;
                    return false;
                }
                request.path = std::string(value);
                outputSeen = true;
            } else if (word == "--trace") {
                if (!request.tracePath.empty() || value.empty()) {
                    error = texts::kOneTraceFile;
                    return false;
                }
                request.tracePath = std::string(value);
            } else if (!ApplyPortOption(word, value, request, error)) {
                return false;
            }
            continue;
        }
        if (word.starts_with("-") && word.size() > 1) {
            error = texts::kUnknownOption + std::string(word);
            return false;
        }
        if (request.kind == TransferKind::Download || inputSeen) {
            error = texts::kUnexpectedArgument + std::string(word);
            return false;
        }
        request.path = std::string(word);
        inputSeen = true;
    }
    if (request.kind != TransferKind::Download && !inputSeen) {
        error = texts::kMissingInput;
        return false;
    }
    return true;
}

const char* TransferUsage() {
    return "  vrk410-cli download [-o OUTPUT] [PORT OPTIONS] [--yes] [--trace FILE]\n"
           "  vrk410-cli upload coords INPUT [PORT OPTIONS] [--yes] [--trace FILE]\n"
           "  vrk410-cli upload pcode INPUT [PORT OPTIONS] [--yes] [--trace FILE]\n"
           "PORT OPTIONS (defaults: COM1, 1200 baud, 8 data bits, 1 stop bit, no parity,\n"
           "protocol none, delay 10):\n"
           "  --port COM1..COM6|DEVICE  --baud 1200|2400|4800|9600|19200\n"
           "  --data-bits 7|8  --stop-bits 1|2  --parity none|odd|even\n"
           "  --protocol none|acknak  --delay SECONDS (1-1000)\n"
           "COMn is the device chosen in VRK410's port mapping (see vrk410-cli ports),\n"
           "/dev/ttyS(n-1) when none is chosen; VRK410_COMn, when set, wins over both.\n"
           "--trace FILE writes a transcript of every byte on the line (UTF-8 text).\n";
}

}  // namespace vrk::cli
