#pragma once

// In-memory stand-ins for everything a transfer touches: a scripted instrument behind the port,
// a view over a byte string, a prompter with scripted answers and a sleeper that only records.
// All of them write into one event log so tests can check the order of things.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "interfaces/prompter.h"
#include "interfaces/sleeper.h"
#include "interfaces/text_view.h"
#include "link/byte_port.h"
#include "link/comm_settings.h"
#include "link/transfer_context.h"
#include "link/transfer_observer.h"

namespace vrk::test {

using Events = std::vector<std::string>;

// The instrument: what it sends waits in `incoming`; a read takes from it and, when it runs dry
// before the count is reached, answers `whenDry` (a time-out by default).
class ScriptedPort final : public BytePort {
  public:
    explicit ScriptedPort(Events& events) : events_(events) {}

    OpenResult openResult = OpenResult::Ok;
    std::string reason;  // what failureReason() answers
    std::string incoming;
    ReadResult whenDry = ReadResult::Timeout;
    // Writes after this many succeed fail (the cable is pulled); drain fails from then on too.
    std::size_t writesBeforeFailure = static_cast<std::size_t>(-1);
    // Called after every write, so a test can make the instrument answer what it was sent.
    std::function<void(std::string_view written)> onWrite;

    std::string written;
    std::vector<std::string> writes;
    std::vector<std::chrono::milliseconds> readTimeouts;
    PortParams params;
    bool isOpen = false;
    int opens = 0;
    int closes = 0;
    int drains = 0;

    std::string failureReason() const override { return reason; }

    OpenResult open(const PortParams& p) override {
        events_.push_back("open");
        ++opens;
        params = p;
        isOpen = openResult == OpenResult::Ok;
        return openResult;
    }
    ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                    std::string& out) override {
        events_.push_back("read " + std::to_string(count));
        readTimeouts.push_back(timeout);
        const std::size_t n = std::min(count, incoming.size());
        out.append(incoming, 0, n);
        incoming.erase(0, n);
        return n == count ? ReadResult::Ok : whenDry;
    }
    bool write(std::string_view bytes) override {
        if (writes.size() >= writesBeforeFailure) {
            cablePulled_ = true;
            events_.push_back("write failed");
            return false;
        }
        events_.push_back("write " + std::to_string(bytes.size()));
        writes.emplace_back(bytes);
        written += bytes;
        if (onWrite) {
            onWrite(bytes);
        }
        return true;
    }
    bool drain() override {
        events_.push_back("drain");
        ++drains;
        return !cablePulled_;
    }
    void close() override {
        events_.push_back("close");
        ++closes;
        isOpen = false;
    }

  private:
    Events& events_;
    bool cablePulled_ = false;
};

class FakeView final : public TextView {
  public:
    explicit FakeView(Events& events) : events_(events) {}

    std::string text;
    std::size_t caret = 0;
    bool modified = false;
    bool readOnly = false;
    std::size_t holds = kNoLimit;

    std::string getText() override { return text; }
    bool isTextModified() override { return modified; }
    void clearText() override {
        events_.push_back("clear");
        text.clear();
        caret = 0;
        modified = true;
    }
    void moveCaret(std::size_t position) override { caret = std::min(position, text.size()); }
    void insertAtCaret(std::string_view bytes) override {
        events_.push_back("insert");
        text.insert(caret, bytes);
        caret += bytes.size();
        modified = true;
    }
    std::size_t capacity() override { return holds; }
    void setReadOnly(bool value) override {
        events_.push_back(value ? "read-only" : "writable");
        readOnly = value;
    }
    void setText(std::string_view bytes) override {
        events_.push_back("set");
        text.assign(bytes);
        caret = text.size();
        modified = true;
    }

  private:
    Events& events_;
};

class FakePrompter final : public Prompter {
  public:
    explicit FakePrompter(Events& events) : events_(events) {}

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;  // Yes when empty
    std::function<void(std::string_view)> onMessage;

    void showMessage(std::string_view text) override {
        events_.push_back("message " + std::string(text));
        messages.emplace_back(text);
        if (onMessage) {
            onMessage(text);
        }
    }
    bool askYesNo(std::string_view text) override {
        events_.push_back("question");
        questions.emplace_back(text);
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

  private:
    Events& events_;
};

class FakeSleeper final : public Sleeper {
  public:
    explicit FakeSleeper(Events& events) : events_(events) {}
    std::vector<std::chrono::milliseconds> pauses;
    void sleepFor(std::chrono::milliseconds duration) override {
        events_.push_back("sleep " + std::to_string(duration.count()));
        pauses.push_back(duration);
    }

  private:
    Events& events_;
};

class RecordingObserver final : public TransferObserver {
  public:
    std::vector<std::size_t> repeats;
    std::size_t blocksSent = 0;
    std::size_t blocksTotal = 0;
    std::size_t lastRepetitions = 0;
    void onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) override {
        blocksSent = sent;
        blocksTotal = total;
        lastRepetitions = repetitions;
    }
    void onRepeat(std::size_t repetitions) override { repeats.push_back(repetitions); }
};

// One transfer's whole world.
struct Rig {
    Events events;
    SharedCommSettings settings;
    ScriptedPort port{events};
    FakeView view{events};
    FakePrompter prompter{events};
    FakeSleeper sleeper{events};
    RecordingObserver observer;
    std::atomic<bool> abandoned{false};
    TransferContext ctx{settings, port, view, prompter, sleeper, observer, abandoned};

    void useProtocol(std::int32_t protocol, std::int32_t delay = 10) {
        CommSettings s = settings.load();
        s.m_nProtocol = protocol;
        s.m_nRecvDelay = delay;
        settings.store(s);
    }
};

}  // namespace vrk::test
