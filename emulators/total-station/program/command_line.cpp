#include "command_line.h"

#include <charconv>
#include <functional>
#include <map>

namespace tssim {
namespace {

constexpr int kBauds[] = {1200, 2400, 4800, 9600, 19200};
constexpr double kMaxSeconds = 86400.0;

std::optional<long long> integer(const std::string& text, long long low, long long high) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> seconds(const std::string& text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 0 || value > kMaxSeconds) {
        return std::nullopt;
    }
    return value;
}

std::chrono::milliseconds toMs(double s) {
    return std::chrono::milliseconds(static_cast<long long>(s * 1000.0));
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "\xHH" escapes let a person put control bytes on the line from a shell.
std::optional<std::string> unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '\\') {
            out.push_back('\\');
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && hexDigit(text[i + 2]) >= 0 &&
                   hexDigit(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3])));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace

const char* usageText() {
    return R"(Usage: tssim [OPTIONS]
An emulated total station on a pseudo-terminal. It prints the device path of the slave side;
point the office program's port at it (or at the --link path).

Memory and files (GBK bytes, never converted):
  --coords FILE          load coordinate points from DELF lines "name,code,Y,X,H" (metres)
  --pcode FILE           load PCODE entries from lines "number,text"
  --save-coords FILE     after each completed coordinate upload, write the points as DELF
  --save-pcode FILE      after each completed PCODE upload, write the entries

Line:
  --link PATH            keep a symbolic link to the slave device at PATH (removed on exit)
  --protocol auto|none|acknak
                         line protocol; auto (default) follows the computer: ENQ starts an
                         Ack/Nak download, Enter a protocol-None one, and uploads are answered
                         unless the computer leaves the answers unread
  --baud N               1200, 2400, 4800, 9600 or 19200: paces a protocol-None download
                         (default 1200)
  --no-pacing            protocol None: send lines as fast as the pty takes them
  --ack-timeout SECONDS  Ack/Nak download: give up when an ACK takes longer (default 10)

What to do (by default the station serves whatever the computer starts, again and again):
  --send coords|pcode    first exchange: send the memory (a download to the computer);
                         also chooses what later downloads send (default: coordinates, or
                         PCODE when no points are loaded)
  --receive              first exchange: receive an upload
  --start-after SECONDS  press the start key after SECONDS instead of waiting for Enter
  --once                 exit after the first exchange
While it runs: Enter = the instrument's start key (protocol None download),
c / p = later downloads send coordinates / PCODE, q = quit.

Faults:
  --nak-first N          upload: answer each frame N times with NAK before the ACK
  --short-answer         upload: answer with 2 bytes instead of 3
  --never-answer         upload: never answer a frame
  --hang-up-after-lines N   download: hang up after N lines
  --hang-up-after-frames N  upload: hang up after N frames
  --garbage BYTES        download: send BYTES between lines (\xHH for any byte)
  --silent-before-eot    download: send every line, then fall silent instead of EOT
  --slow MS              download: wait MS more after every line
  --answer-delay MS      upload: wait MS before each answer

  --help                 this text

Exit status: 0 done, 1 a file or the pseudo-terminal failed, 2 usage error.
)";
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    Options& o = result.options;
    o.config.protocol = Protocol::Auto;
    Faults& f = o.config.faults;
    using Handler = std::function<bool(const std::string&)>;
    auto text = [](std::string& target) {
        return Handler([&target](const std::string& v) {
            target = v;
            return !v.empty();
        });
    };
    auto count = [](int& target) {
        return Handler([&target](const std::string& v) {
            const auto n = integer(v, 0, 1'000'000'000);
            target = static_cast<int>(n.value_or(0));
            return n.has_value();
        });
    };
    auto millis = [](std::chrono::milliseconds& target) {
        return Handler([&target](const std::string& v) {
            const auto n = integer(v, 0, 86'400'000);
            target = std::chrono::milliseconds(n.value_or(0));
            return n.has_value();
        });
    };
    const std::map<std::string, Handler> withValue = {
        {"--link", text(o.linkPath)},
        {"--coords", text(o.coordsFile)},
        {"--pcode", text(o.pcodeFile)},
        {"--save-coords", text(o.saveCoordsFile)},
        {"--save-pcode", text(o.savePcodeFile)},
        {"--protocol",
         [&o](const std::string& v) {
             o.config.protocol = v == "acknak" ? Protocol::AckNak
                                 : v == "none" ? Protocol::None
                                               : Protocol::Auto;
             return v == "acknak" || v == "none" || v == "auto";
         }},
        {"--baud",
         [&o](const std::string& v) {
             const auto n = integer(v, 0, 1'000'000);
             for (int baud : kBauds) {
                 if (n && *n == baud) {
                     o.config.baud = baud;
                     return true;
                 }
             }
             return false;
         }},
        {"--ack-timeout",
         [&o](const std::string& v) {
             const auto s = seconds(v);
             o.config.ackTimeout = toMs(s.value_or(0));
             return s.has_value() && *s > 0;
         }},
        {"--send",
         [&o](const std::string& v) {
             o.first = FirstAction::Send;
             o.content = v == "pcode" ? Content::Pcode : Content::Coordinates;
             return v == "coords" || v == "pcode";
         }},
        {"--start-after",
         [&o](const std::string& v) {
             o.startAfterSeconds = seconds(v);
             return o.startAfterSeconds.has_value();
         }},
        {"--nak-first", count(f.nakFirstAnswers)},
        {"--hang-up-after-lines", count(f.hangUpAfterLines)},
        {"--hang-up-after-frames", count(f.hangUpAfterFrames)},
        {"--garbage",
         [&f](const std::string& v) {
             const auto bytes = unescape(v);
             f.garbageBetweenLines = bytes.value_or("");
             return bytes.has_value() && !bytes->empty();
         }},
        {"--slow", millis(f.extraLineGap)},
        {"--answer-delay", millis(f.answerDelay)},
    };
    const std::map<std::string, std::function<void()>> flags = {
        {"--help", [&result] { result.help = true; }},
        {"--receive", [&o] { o.first = FirstAction::Receive; }},
        {"--once", [&o] { o.once = true; }},
        {"--no-pacing", [&o] { o.config.pacing = false; }},
        {"--short-answer", [&f] { f.shortAnswer = true; }},
        {"--never-answer", [&f] { f.neverAnswer = true; }},
        {"--silent-before-eot", [&f] { f.silentBeforeEot = true; }},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const auto flag = flags.find(arg); flag != flags.end()) {
            flag->second();
        } else if (const auto option = withValue.find(arg); option != withValue.end()) {
            if (i + 1 >= args.size()) {
                result.error = arg + " needs a value";
                return result;
            }
            if (!option->second(args[++i])) {
                result.error = "invalid value for " + arg + ": " + args[i];
                return result;
            }
        } else {
            result.error = "unknown option: " + arg;
            return result;
        }
    }
    return result;
}

}  // namespace tssim
