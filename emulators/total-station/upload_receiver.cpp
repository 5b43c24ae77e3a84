#include "upload_receiver.h"

#include "check_value.h"
#include "protocol.h"

namespace tssim {

UploadReceiver::UploadReceiver(Protocol protocol, const Faults& faults)
    : protocol_(protocol), faults_(faults) {}

std::vector<UploadReceiver::Reply> UploadReceiver::feed(std::string_view bytes) {
    std::vector<Reply> replies;
    for (const ReadFrame& frame : reader_.feed(bytes)) {
        replies.push_back(onFrame(frame));
    }
    return replies;
}

Stats UploadReceiver::stats() const {
    Stats stats = stats_;
    stats.framingErrors += reader_.framingErrors();
    return stats;
}

bool UploadReceiver::nakByFault(const std::string& payload) {
    if (payload == lastPayload_ && lastWasNak_) {
        ++answersToSamePayload_;
    } else {
        answersToSamePayload_ = 1;
    }
    lastPayload_ = payload;
    return answersToSamePayload_ <= faults_.nakFirstAnswers;
}

std::string UploadReceiver::answerBytes(bool ack) {
    lastWasNak_ = !ack;
    if (protocol_ == Protocol::None || faults_.neverAnswer) {
        return {};
    }
    ack ? ++stats_.acksSent : ++stats_.naksSent;
    std::string answer(ack ? protocol::kAckAnswer : protocol::kNakAnswer);
    if (faults_.shortAnswer) {
        answer.resize(2);
    }
    return answer;
}

// The computer starts over from the headers after a failed upload; what came before belongs
// to the abandoned attempt.
void UploadReceiver::restartIfNewUpload() {
    if (!blocks_.empty()) {
        blocks_.clear();
        expectedDigit_ = 0;
    }
}

UploadReceiver::Reply UploadReceiver::onFrame(const ReadFrame& in) {
    ++stats_.framesReceived;
    FrameRecord record;
    record.payload = in.payload;
    Reply reply;

    if (!in.wellFormed) {
        record.kind = FrameKind::Malformed;
        ++stats_.framingErrors;
        reply.answer = answerBytes(false);
    } else if (in.payload.size() == 1 && in.payload.front() == protocol::kEot) {
        // The computer does not wait for an answer to the end frame; one sent anyway would
        // wait in the line and meet the next exchange.
        record.kind = FrameKind::End;
        stats_.endFrameReceived = true;
        reply.finished = true;
    } else if (in.payload.size() < protocol::kMinDataPayload) {
        record.kind = FrameKind::Header;
        ++stats_.headersReceived;
        if (in.payload == protocol::kHeaderJob) {
            restartIfNewUpload();
        }
        headersSeen_ = true;
        reply.answer = answerBytes(!nakByFault(in.payload));
    } else {
        record.kind = FrameKind::Data;
        const std::string signedPart = in.payload.substr(0, protocol::kBlockSize + 1);
        const char digit = signedPart.back();
        record.checkOk = digit >= '0' && digit <= '9' &&
                         in.payload.substr(signedPart.size()) == checkValue(signedPart);
        if (!record.checkOk) {
            ++stats_.checkFailures;
            reply.answer = answerBytes(false);
        } else if (protocol_ != Protocol::None && nakByFault(in.payload)) {
            reply.answer = answerBytes(false);
        } else {
            record.counterOk = digit - '0' == expectedDigit_;
            if (!record.counterOk) {
                ++stats_.counterErrors;
            }
            expectedDigit_ = (digit - '0' + 1) % protocol::kCounterModulus;
            blocks_.push_back(in.payload.substr(0, protocol::kBlockSize));
            ++stats_.recordsAccepted;
            reply.answer = answerBytes(true);
        }
    }
    record.answer = reply.answer.empty() ? '\0' : reply.answer.front();
    frames_.push_back(std::move(record));
    return reply;
}

}  // namespace tssim
