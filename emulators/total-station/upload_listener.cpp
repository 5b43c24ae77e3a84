#include "upload_listener.h"

namespace tssim {
namespace {

using Io = PtyChannel::Io;

// Before a hang-up the computer gets this long to read the last answer.
constexpr std::chrono::milliseconds kDeliveryWait{2000};

}  // namespace

ExchangeEnd runUpload(ExchangeLink& link, UploadReceiver& receiver,
                      const std::function<void(const UploadReceiver&)>& published,
                      std::string received, bool detectNone) {
    const Faults& faults = link.config().faults;
    if (received.empty()) {
        link.log("waiting for an upload");
    }
    std::string bytes = std::move(received);
    std::size_t framesLogged = 0;
    bool answered = false;
    std::size_t handled = 0;
    while (true) {
        if (bytes.empty()) {
            if (const Io io = link.read(bytes, std::nullopt); io != Io::Ok) {
                return link.ioEnd(io, "during the upload");
            }
        }
        // With Ack/Nak the computer reads an answer before it sends more; an answer still
        // waiting when more arrives means it does not read them.
        if (detectNone && answered && receiver.answering() && link.unreadOutput() > 0) {
            receiver.stopAnswering();
            link.dropUnreadOutput();
            link.log("the computer does not read answers: protocol None");
        }
        const auto replies = receiver.feed(bytes);
        bytes.clear();
        for (const UploadReceiver::Reply& reply : replies) {
            if (!reply.answer.empty() && receiver.answering()) {
                if (faults.answerDelay.count() > 0 && link.pause(faults.answerDelay) != Io::Ok) {
                    return link.interrupted();
                }
                if (const Io io = link.write(reply.answer); io != Io::Ok) {
                    published(receiver);
                    return link.ioEnd(io, "answering a frame");
                }
                answered = true;
            }
            published(receiver);
            if (static_cast<long long>(++handled) == faults.hangUpAfterFrames) {
                link.waitUntilRead(kDeliveryWait);
                link.hangUpNow();
                return {Outcome::HungUp, "hung up after " + std::to_string(handled) + " frames"};
            }
            if (reply.finished) {
                return {Outcome::Completed, "end frame received"};
            }
        }
        if (link.config().log && receiver.frames().size() != framesLogged) {
            framesLogged = receiver.frames().size();
            const Stats s = receiver.stats();
            link.log("frames " + std::to_string(s.framesReceived) + ", records " +
                     std::to_string(s.recordsAccepted) + ", check failures " +
                     std::to_string(s.checkFailures));
        }
    }
}

}  // namespace tssim
