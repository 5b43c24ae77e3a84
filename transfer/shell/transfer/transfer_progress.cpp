#include "shell/transfer/transfer_progress.h"

#include "shell/windows/shell_texts.h"

namespace vrk {

void TransferProgress::begin(Kind kind, std::size_t totalBlocks) {
    lines_ = 0;
    bytes_ = 0;
    sent_ = 0;
    total_ = totalBlocks;
    repetitions_ = 0;
    lastActivity_ = Clock::now().time_since_epoch().count();
    kind_ = kind;
}

void TransferProgress::end() {
    kind_ = Kind::Idle;
}

void TransferProgress::onReceived(std::size_t lines, std::size_t bytes) {
    lines_ = lines;
    bytes_ = bytes;
    lastActivity_ = Clock::now().time_since_epoch().count();
}

void TransferProgress::onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) {
    sent_ = sent;
    total_ = total;
    repetitions_ = repetitions;
}

void TransferProgress::onRepeat(std::size_t repetitions) {
    repetitions_ = repetitions;
}

QString TransferProgress::describe(int recvDelaySeconds) const {
    switch (kind_.load()) {
        case Kind::Idle:
            break;
        case Kind::Download: {
            const auto since = Clock::now() - Clock::time_point(Clock::duration(lastActivity_));
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since).count();
            return QString::fromUtf8(texts::kProgressReceive)
                .arg(lines_.load())
                .arg(bytes_.load())
                .arg(seconds)
                .arg(recvDelaySeconds);
        }
        case Kind::Upload:
            return QString::fromUtf8(texts::kProgressSend)
                .arg(sent_.load())
                .arg(total_.load())
                .arg(repetitions_.load());
    }
    return QString::fromUtf8(texts::kReady);
}

}  // namespace vrk
