#include "cli/console_progress.h"

namespace vrk::cli {

namespace {

constexpr std::chrono::milliseconds kRefresh{100};
constexpr std::chrono::seconds kLogRefresh{2};

}  // namespace

ConsoleProgress::ConsoleProgress(std::ostream& err, bool interactive)
    : err_(err), interactive_(interactive) {
    // A log gets its first figures after a while, not for the first byte.
    if (!interactive_) {
        lastShown_ = std::chrono::steady_clock::now();
    }
}

ConsoleProgress::~ConsoleProgress() {
    finish();
}

void ConsoleProgress::onReceived(std::size_t lines, std::size_t bytes) {
    receiving_ = true;
    lines_ = lines;
    bytes_ = bytes;
    show(false);
}

void ConsoleProgress::onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) {
    receiving_ = false;
    sent_ = sent;
    total_ = total;
    repetitions_ = repetitions;
    show(sent == total);
}

void ConsoleProgress::onRepeat(std::size_t repetitions) {
    repetitions_ = repetitions;
    show(false);
}

void ConsoleProgress::show(bool force) {
    pending_ = true;
    const auto now = std::chrono::steady_clock::now();
    const auto gap = interactive_ ? std::chrono::steady_clock::duration(kRefresh)
                                  : std::chrono::steady_clock::duration(kLogRefresh);
    if (!force && now - lastShown_ < gap) {
        return;
    }
    lastShown_ = now;
    pending_ = false;
    if (interactive_) {
        err_ << '\r';
    }
    if (receiving_) {
        err_ << "已接收 " << lines_ << " 行, " << bytes_ << " 字节";
    } else {
        err_ << "已发送 " << sent_ << "/" << total_ << " 块, 重发 " << repetitions_ << " 次";
    }
    err_ << (interactive_ ? "\x1b[K" : "\n") << std::flush;
}

void ConsoleProgress::finish() {
    if (pending_) {
        show(true);
    }
    if (interactive_ && lastShown_ != std::chrono::steady_clock::time_point{}) {
        err_ << '\n' << std::flush;
        lastShown_ = {};
    }
}

}  // namespace vrk::cli
