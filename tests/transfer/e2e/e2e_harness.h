#pragma once

// The program's transfer engines on a real pseudo-terminal against the emulated total station:
// the pieces the desktop program would plug in, replaced by recorders where a person would sit.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "interfaces/prompter.h"
#include "interfaces/sleeper.h"
#include "interfaces/text_view.h"
#include "link/comm_settings.h"
#include "link/transfer_context.h"
#include "link/transfer_observer.h"
#include "serial/serial_port.h"
#include "total_station.h"

namespace e2e {

// How long a test waits on the station to finish: far more than a transfer takes, also on a
// loaded machine.
inline constexpr std::chrono::seconds kStationWait{5};

inline constexpr std::string_view kPromptStationFirst = "请先在全站仪上回车,然后在微机上回车!";
inline constexpr std::string_view kPromptComputerFirst = "请先在微机上回车,然后在全站仪上回车!";
inline constexpr std::string_view kTimedOut = "通讯超时";
inline constexpr std::string_view kFailed = "通讯失败";
inline constexpr std::string_view kFinished = "通讯结束";
inline constexpr std::string_view kCannotOpen = "无法创建通讯口!";

class MemoryView final : public vrk::TextView {
  public:
    std::string getText() override {
        std::lock_guard lock(mutex_);
        return text_;
    }
    bool isTextModified() override { return true; }
    void clearText() override {
        std::lock_guard lock(mutex_);
        text_.clear();
        caret_ = 0;
    }
    void moveCaret(std::size_t position) override {
        std::lock_guard lock(mutex_);
        caret_ = std::min(position, text_.size());
    }
    void insertAtCaret(std::string_view bytes) override {
        std::lock_guard lock(mutex_);
        text_.insert(caret_, bytes);
        caret_ += bytes.size();
    }
    void setReadOnly(bool readOnly) override {
        std::lock_guard lock(mutex_);
        readOnly_ = readOnly;
    }
    void setText(std::string_view bytes) override {
        std::lock_guard lock(mutex_);
        text_.assign(bytes);
        caret_ = text_.size();
    }
    bool readOnly() {
        std::lock_guard lock(mutex_);
        return readOnly_;
    }

  private:
    std::mutex mutex_;
    std::string text_;
    std::size_t caret_ = 0;
    bool readOnly_ = false;
};

// Answers every box with OK at once; the start prompts also press Enter on the instrument.
class RecordingPrompter final : public vrk::Prompter {
  public:
    std::function<void()> onStartPrompt;

    void showMessage(std::string_view text) override {
        messages.emplace_back(text);
        if ((text == kPromptStationFirst || text == kPromptComputerFirst) && onStartPrompt) {
            onStartPrompt();
        }
    }
    bool askYesNo(std::string_view text) override {
        messages.emplace_back(text);
        return true;
    }
    // Everything shown except the start prompts.
    std::vector<std::string> reports() const {
        std::vector<std::string> out;
        for (const auto& m : messages) {
            if (m != kPromptStationFirst && m != kPromptComputerFirst) {
                out.push_back(m);
            }
        }
        return out;
    }

    std::vector<std::string> messages;
};

// The protocol's pauses are for a real instrument's sake; the emulator keeps up without them.
class CountingSleeper final : public vrk::Sleeper {
  public:
    void sleepFor(std::chrono::milliseconds duration) override {
        ++pauses;
        total += duration;
    }
    std::size_t pauses = 0;
    std::chrono::milliseconds total{0};
};

class CountingObserver final : public vrk::TransferObserver {
  public:
    void onReceived(std::size_t lines, std::size_t bytes) override {
        lastLines = lines;
        lastBytes = bytes;
    }
    void onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) override {
        blocksSent = sent;
        blocksTotal = total;
        lastRepetitions = repetitions;
    }
    void onRepeat(std::size_t repetitions) override { lastRepetitions = repetitions; }

    std::size_t lastLines = 0;
    std::size_t lastBytes = 0;
    std::size_t blocksSent = 0;
    std::size_t blocksTotal = 0;
    std::size_t lastRepetitions = 0;
};

inline tssim::Config StationConfig(tssim::Protocol protocol, const tssim::Faults& faults = {}) {
    tssim::Config config;
    config.protocol = protocol;
    config.faults = faults;
    config.pacing = false;
    config.ackTimeout = std::chrono::seconds(5);
    return config;
}

// One transfer's worth of the program's side, wired to the station's pty.
struct Computer {
    explicit Computer(const std::string& device, int protocol, int delaySeconds = 1) {
        vrk::CommSettings values;
        values.m_nProtocol = protocol;
        values.m_nRecvDelay = delaySeconds;
        settings.store(values);
        port = std::make_unique<vrk::SerialPort>(vrk::SerialPortOptions{device, &abandoned});
    }

    vrk::TransferContext context() {
        return vrk::TransferContext{settings, *port, view, prompter, sleeper, observer, abandoned};
    }

    vrk::SharedCommSettings settings;
    std::atomic<bool> abandoned{false};
    std::unique_ptr<vrk::SerialPort> port;
    MemoryView view;
    RecordingPrompter prompter;
    CountingSleeper sleeper;
    CountingObserver observer;
};

// After a fault the port must be free again: the next transfer can open it.
inline bool PortIsFree(const std::string& device) {
    vrk::SerialPort probe({device, nullptr});
    vrk::PortParams params;
    params.portName = "COM1";
    const bool ok = probe.open(params) == vrk::OpenResult::Ok;
    probe.close();
    return ok;
}

// What the program's view holds after receiving `lines`: each line after the first has one LF
// in front of it.
inline std::string ViewTextOf(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += lines[i];
    }
    return text;
}

}  // namespace e2e
