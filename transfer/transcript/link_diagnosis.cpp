#include "transcript/link_diagnosis.h"

#include <string_view>

#include "link/link_texts.h"

namespace vrk {

namespace {

// A line of the instrument is far shorter; garbage from a wrong baud rate rarely holds an LF.
constexpr std::size_t kLongestPlausibleLine = 512;
// Data from the instrument is mostly ASCII; bytes read at the wrong rate or framing are not.
constexpr std::size_t kMinBytesForHighBitCheck = 16;
constexpr std::size_t kHighBitPercent = 50;
// One NAK is the protocol working; a run of them on the same record is a refusal.
constexpr std::size_t kRefusalsMeaningReject = 3;

constexpr const char* kDiagHangUp = "通讯口中断:电缆或 USB 转换器可能已断开。";
// The refusal reads as the upload's own reason for failing, with what to check.
constexpr std::string_view kDiagRefusedAdvice = ":请检查全站仪的通讯协议设置或所发送的数据。";
constexpr const char* kDiagShortReply = "全站仪的应答不足 3 个字节:全站仪的通讯协议不是 Ack/Nak。";
constexpr const char* kDiagLineSettings =
    "收到的数据无法识别:波特率、校验位或数据位与全站仪的设置不一致。";
constexpr const char* kDiagNothingDownloaded =
    "没有收到全站仪的任何数据:请检查电缆和通讯口,并在提示之后再在全站仪上开始发送。";
// In an upload the instrument only answers; silence means it was not waiting for data.
constexpr const char* kDiagNothingUploaded =
    "没有收到全站仪的任何数据:请检查电缆和通讯口,并确认全站仪已进入接收状态、正在等待数据。";

bool LooksGarbled(const LinkObservations& seen) {
    if (seen.download && seen.longestRunWithoutLf >= kLongestPlausibleLine) {
        return true;
    }
    return seen.bytesReceived >= kMinBytesForHighBitCheck &&
           seen.highBitBytesReceived * 100 >= seen.bytesReceived * kHighBitPercent;
}

}  // namespace

std::vector<std::string> Diagnose(const LinkObservations& seen) {
    std::vector<std::string> lines;
    if (!seen.portOpened) {
        return lines;
    }
    if (seen.portFailed) {
        lines.emplace_back(kDiagHangUp);
    }
    if (seen.mostRefusalsOfOneFrame >= kRefusalsMeaningReject) {
        lines.push_back(std::string(kReasonRefused) + std::string(kDiagRefusedAdvice));
    }
    if (seen.shortReplies > 0) {
        lines.emplace_back(kDiagShortReply);
    }
    if (LooksGarbled(seen)) {
        lines.emplace_back(kDiagLineSettings);
    }
    if (seen.bytesReceived == 0 && !seen.portFailed) {
        lines.emplace_back(seen.download ? kDiagNothingDownloaded : kDiagNothingUploaded);
    }
    return lines;
}

}  // namespace vrk
