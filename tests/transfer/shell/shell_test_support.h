#pragma once

// Scripted stand-ins for the people and the line around the program: a prompter whose answers
// are queued in advance (and that records on which thread each box appeared), dialogs that
// answer at once, and a serial port that plays bytes and records what was written.

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "interfaces/sleeper.h"
#include "link/byte_port.h"
#include "shell/dialogs/comm_settings_dlg.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/vrk410_app.h"

namespace shelltest {

struct Shown {
    std::string text;
    bool onUiThread;
};

class ScriptedPrompter final : public vrk::ShellPrompter {
  public:
    void showMessage(std::string_view text) override {
        record(text);
        if (onMessage) {
            onMessage(std::string(text));
        }
    }
    bool askYesNo(std::string_view text) override {
        record(text);
        if (yesNo.empty()) {
            return true;
        }
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    vrk::SaveAnswer askSaveChanges(const QString& name) override {
        record("save?" + name.toStdString());
        if (save.empty()) {
            return vrk::SaveAnswer::No;
        }
        const auto answer = save.front();
        save.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& s : shown) {
            out.push_back(s.text);
        }
        return out;
    }
    bool allOnUiThread() const {
        for (const auto& s : shown) {
            if (!s.onUiThread) {
                return false;
            }
        }
        return true;
    }

    std::deque<bool> yesNo;
    std::deque<vrk::SaveAnswer> save;
    std::vector<Shown> shown;
    std::function<void(const std::string&)> onMessage;

  private:
    void record(std::string_view text) {
        shown.push_back({std::string(text), QThread::currentThread() == qApp->thread()});
    }
};

class ScriptedDialogs final : public vrk::ShellDialogs {
  public:
    explicit ScriptedDialogs(vrk::Prompter& prompter) : prompter_(prompter) {}

    std::optional<QString> chooseOpenFile(QWidget*) override {
        calls.push_back("open");
        return openFile;
    }
    std::optional<QString> chooseSaveFile(QWidget*, const QString&) override {
        calls.push_back("save");
        return saveFile;
    }
    bool editCommSettings(QWidget* parent, vrk::CommSettings& settings) override {
        calls.push_back("settings");
        if (!useRealSettingsDialog) {
            return false;
        }
        vrk::CCommSettingsDlg dialog(prompter_, parent);
        dialog.setFrom(settings);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        settings = dialog.values();
        return true;
    }
    bool choosePrinter(QWidget*, QPrinter&) override {
        calls.push_back("print");
        return false;
    }
    void pageSetup(QWidget*, QPrinter&) override { calls.push_back("pagesetup"); }
    void preview(QWidget*, QPrinter&, int&, const std::function<void(QPrinter*)>&) override {
        calls.push_back("preview");
    }
    void about(QWidget*) override { calls.push_back("about"); }
    bool editPortMapping(QWidget*) override {
        calls.push_back("ports");
        return false;
    }

    std::optional<QString> openFile;
    std::optional<QString> saveFile;
    bool useRealSettingsDialog = false;
    std::vector<std::string> calls;

  private:
    vrk::Prompter& prompter_;
};

// The instrument's side: bytes queued for the program to read, and what the program wrote.
struct Line {
    std::mutex mutex;
    std::condition_variable changed;
    std::string incoming;
    std::size_t readOffset = 0;  // what the program has read of `incoming`
    std::string written;
    bool ackEveryFrame = false;  // answer each CR LF-terminated frame with ACK "OK"
    int opens = 0;
    bool openFails = false;
    bool refuseAllButFirstOpen = true;  // opened without sharing, like the real port
    bool isOpen = false;

    void feed(std::string_view bytes) {
        std::lock_guard lock(mutex);
        incoming += bytes;
        changed.notify_all();
    }
    std::string writtenBytes() {
        std::lock_guard lock(mutex);
        return written;
    }
    bool portOpen() {
        std::lock_guard lock(mutex);
        return isOpen;
    }
};

class ScriptedPort final : public vrk::BytePort {
  public:
    ScriptedPort(std::shared_ptr<Line> line, const std::atomic<bool>& abandoned)
        : line_(std::move(line)), abandoned_(abandoned) {}

    vrk::OpenResult open(const vrk::PortParams&) override {
        std::lock_guard lock(line_->mutex);
        ++line_->opens;
        if (line_->openFails || (line_->refuseAllButFirstOpen && line_->isOpen)) {
            return vrk::OpenResult::CannotOpen;
        }
        line_->isOpen = true;
        mine_ = true;
        return vrk::OpenResult::Ok;
    }
    vrk::ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                         std::string& out) override {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::unique_lock lock(line_->mutex);
        while (line_->incoming.size() - line_->readOffset < count) {
            if (abandoned_.load()) {
                return vrk::ReadResult::Error;
            }
            if (line_->changed.wait_until(lock,
                                          std::min(deadline, std::chrono::steady_clock::now() +
                                                                 std::chrono::milliseconds(10))) ==
                    std::cv_status::timeout &&
                std::chrono::steady_clock::now() >= deadline) {
                return vrk::ReadResult::Timeout;
            }
        }
        out += line_->incoming.substr(line_->readOffset, count);
        line_->readOffset += count;
        return vrk::ReadResult::Ok;
    }
    bool write(std::string_view bytes) override {
        std::lock_guard lock(line_->mutex);
        line_->written += bytes;
        pending_ += bytes;
        if (line_->ackEveryFrame && pending_.size() >= 2 &&
            pending_.compare(pending_.size() - 2, 2, "\r\n") == 0) {
            line_->incoming += "\x06OK";
            pending_.clear();
            line_->changed.notify_all();
        }
        return true;
    }
    bool drain() override { return true; }
    void close() override {
        std::lock_guard lock(line_->mutex);
        if (mine_) {
            line_->isOpen = false;
            mine_ = false;
        }
    }

  private:
    std::shared_ptr<Line> line_;
    const std::atomic<bool>& abandoned_;
    std::string pending_;
    bool mine_ = false;
};

class NoSleep final : public vrk::Sleeper {
  public:
    void sleepFor(std::chrono::milliseconds) override { ++pauses; }
    std::atomic<int> pauses{0};
};

// The whole program with scripted people and line, its profile in a temporary folder.
struct Harness {
    Harness() : dialogs(prompter) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        vrk::CVRK410App::Overrides o;
        o.prompter = &prompter;
        o.dialogs = &dialogs;
        o.sleeper = &sleeper;
        o.portFactory = [l = line](const std::atomic<bool>& abandoned) {
            return std::make_unique<ScriptedPort>(l, abandoned);
        };
        app = std::make_unique<vrk::CVRK410App>(std::move(o));
    }

    QTemporaryDir settingsDir;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;
    NoSleep sleeper;
    std::shared_ptr<Line> line = std::make_shared<Line>();
    std::unique_ptr<vrk::CVRK410App> app;
};

// Runs the UI thread's events until `done` holds. The worker's calls are posted events, which
// QTest::qWaitFor's short processing slices do not always deliver; an explicit pass does.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents();
        QThread::usleep(200);
    }
    return true;
}

}  // namespace shelltest
