#include "upload_listener.h"

namespace tssim {
namespace {

using Io = PtyChannel::Io;

// Before a hang-up the computer gets this long to read the last answer.
constexpr std::chrono::milliseconds kDeliveryWait{2000};

}  // namespace

ExchangeEnd runUpload(ExchangeLink& link, UploadReceiver& receiver,
                      const std::function<void(const UploadReceiver&)>& published) {
    const Faults& faults = link.config().faults;
    link.log("waiting for an upload");
    std::string bytes;
    std::size_t framesLogged = 0;
    while (true) {
        bytes.clear();
        if (const Io io = link.read(bytes, std::nullopt); io != Io::Ok) {
            return link.ioEnd(io, "during the upload");
        }
        for (const UploadReceiver::Reply& reply : receiver.feed(bytes)) {
            if (!reply.answer.empty()) {
                if (faults.answerDelay.count() > 0 && link.pause(faults.answerDelay) != Io::Ok) {
                    return link.interrupted();
                }
                if (const Io io = link.write(reply.answer); io != Io::Ok) {
                    published(receiver);
                    return link.ioEnd(io, "answering a frame");
                }
            }
            published(receiver);
            const std::size_t frames = receiver.frames().size();
            if (static_cast<long long>(frames) == faults.hangUpAfterFrames) {
                link.waitUntilRead(kDeliveryWait);
                link.hangUpNow();
                return {Outcome::HungUp, "hung up after " + std::to_string(frames) + " frames"};
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
