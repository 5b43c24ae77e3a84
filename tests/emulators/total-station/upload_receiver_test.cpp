// The instrument's judgement of upload frames, one frame at a time.
#include "upload_receiver.h"

#include <gtest/gtest.h>

#include "check_value.h"
#include "protocol.h"
#include "record_writer.h"

namespace tssim {
namespace {

const std::string kAckReply = std::string(protocol::kAckAnswer);
const std::string kNak = std::string(protocol::kNakAnswer);

std::string block(char fill) {
    return "_" + std::string(protocol::kBlockSize - 1, fill);
}

ReadFrame data(const std::string& b, int counter) {
    return {dataRecord(b, counter), true};
}
ReadFrame header(std::string_view text) {
    return {std::string(text), true};
}
ReadFrame endFrame() {
    return {std::string(1, protocol::kEot), true};
}

TEST(UploadReceiver, AcceptsCoordinateUploadAndAnswersEveryFrameButTheEnd) {
    UploadReceiver r(Protocol::AckNak, {});
    EXPECT_EQ(r.onFrame(header(protocol::kHeaderJob)).answer, kAckReply);
    EXPECT_EQ(r.onFrame(header(protocol::kHeaderSite)).answer, kAckReply);
    for (int i = 0; i < 12; ++i) {  // crosses the wrap of the counter digit
        EXPECT_EQ(r.onFrame(data(block('a'), i)).answer, kAckReply) << i;
    }
    const auto end = r.onFrame(endFrame());
    EXPECT_TRUE(end.finished);
    EXPECT_TRUE(end.answer.empty());
    EXPECT_TRUE(r.coordinateUpload());
    EXPECT_EQ(r.blocks().size(), 12u);
    const Stats s = r.stats();
    EXPECT_EQ(s.headersReceived, 2u);
    EXPECT_EQ(s.recordsAccepted, 12u);
    EXPECT_EQ(s.counterErrors, 0u);
    EXPECT_EQ(s.acksSent, 14u);
    EXPECT_TRUE(s.endFrameReceived);
}

TEST(UploadReceiver, CheckFailureIsNakedAndTheResendAccepted) {
    UploadReceiver r(Protocol::AckNak, {});
    ReadFrame bad = data(block('b'), 0);
    bad.payload[5] = 'X';  // one byte changed on the line
    EXPECT_EQ(r.onFrame(bad).answer, kNak);
    EXPECT_EQ(r.onFrame(data(block('b'), 0)).answer, kAckReply);
    EXPECT_EQ(r.blocks().size(), 1u);
    EXPECT_EQ(r.stats().checkFailures, 1u);
    EXPECT_EQ(r.stats().counterErrors, 0u);
    EXPECT_FALSE(r.frames()[0].checkOk);
    EXPECT_EQ(r.frames()[0].answer, protocol::kNak);
}

TEST(UploadReceiver, CounterDigitOutOfSequenceIsCountedNotRefused) {
    UploadReceiver r(Protocol::AckNak, {});
    r.onFrame(data(block('a'), 0));
    r.onFrame(data(block('a'), 2));  // record 1 skipped
    r.onFrame(data(block('a'), 3));
    EXPECT_EQ(r.stats().counterErrors, 1u);
    EXPECT_EQ(r.blocks().size(), 3u);
    EXPECT_FALSE(r.frames()[1].counterOk);
    EXPECT_TRUE(r.frames()[2].counterOk);
}

TEST(UploadReceiver, NakFaultRefusesEachFrameTheGivenNumberOfTimes) {
    Faults faults;
    faults.nakFirstAnswers = 2;
    UploadReceiver r(Protocol::AckNak, faults);
    for (const ReadFrame& frame : {header(protocol::kHeaderJob), data(block('a'), 0)}) {
        EXPECT_EQ(r.onFrame(frame).answer, kNak);
        EXPECT_EQ(r.onFrame(frame).answer, kNak);
        EXPECT_EQ(r.onFrame(frame).answer, kAckReply);
    }
    EXPECT_EQ(r.blocks().size(), 1u);
    EXPECT_EQ(r.stats().naksSent, 4u);
    EXPECT_EQ(r.stats().counterErrors, 0u);
}

TEST(UploadReceiver, AnswerFaultsAndProtocolNone) {
    Faults shortAnswer;
    shortAnswer.shortAnswer = true;
    EXPECT_EQ(UploadReceiver(Protocol::AckNak, shortAnswer).onFrame(data(block('a'), 0)).answer,
              kAckReply.substr(0, 2));

    Faults silent;
    silent.neverAnswer = true;
    UploadReceiver mute(Protocol::AckNak, silent);
    EXPECT_TRUE(mute.onFrame(data(block('a'), 0)).answer.empty());
    EXPECT_EQ(mute.blocks().size(), 1u);

    UploadReceiver none(Protocol::None, {});
    EXPECT_TRUE(none.onFrame(header(protocol::kHeaderJob)).answer.empty());
    EXPECT_TRUE(none.onFrame(data(block('a'), 0)).answer.empty());
    EXPECT_EQ(none.stats().acksSent, 0u);
    EXPECT_TRUE(none.coordinateUpload());
}

TEST(UploadReceiver, NewHeaderAfterDataStartsTheUploadAgain) {
    UploadReceiver r(Protocol::AckNak, {});
    r.onFrame(header(protocol::kHeaderJob));
    r.onFrame(data(block('a'), 0));
    r.onFrame(data(block('a'), 1));
    r.onFrame(header(protocol::kHeaderJob));  // the computer retries after a failure
    r.onFrame(header(protocol::kHeaderSite));
    r.onFrame(data(block('c'), 0));
    EXPECT_EQ(r.blocks(), std::vector<std::string>{block('c')});
    EXPECT_EQ(r.stats().counterErrors, 0u);
}

TEST(UploadReceiver, BytesFromTheLineFormFramesAndStrayBytesAreCounted) {
    UploadReceiver r(Protocol::AckNak, {});
    const std::string line =
        "junk" + frame(protocol::kHeaderJob) + frame(dataRecord(block('a'), 0));
    std::size_t replies = 0;
    for (char c : line) {
        replies += r.feed(std::string(1, c)).size();
    }
    EXPECT_EQ(replies, 2u);
    EXPECT_EQ(r.stats().framingErrors, 1u);
    // A PCODE upload brings no headers.
    UploadReceiver pcode(Protocol::AckNak, {});
    pcode.feed(frame(dataRecord(block('a'), 0)));
    EXPECT_FALSE(pcode.coordinateUpload());
}

}  // namespace
}  // namespace tssim
