#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

namespace vrk {

// Control bytes of the instrument's line protocol.
inline constexpr char kStx = '\x02';
inline constexpr char kEtx = '\x03';
inline constexpr char kEot = '\x04';
inline constexpr char kEnq = '\x05';
inline constexpr char kAck = '\x06';
inline constexpr char kCr = '\r';
inline constexpr char kLf = '\n';

// Separates the fields of the instrument's records, in uploads and downloads alike; a name or
// text holding one splits the stream.
inline constexpr char kFieldSeparator = '_';

// Both serial queues are kept this small: the instrument never sends ahead of its protocol.
inline constexpr std::size_t kQueueSize = 128;

// With protocol None the instrument has no way to say it is ready; it needs this long after
// each frame has left the port before the next one may start.
inline constexpr std::chrono::milliseconds kNonePause{400};

// An instrument that keeps answering something other than ACK must not hold the transfer for
// ever: after this many repetitions of one frame the transfer fails.
inline constexpr std::size_t kMaxRepetitions = 10;

// The instrument answers every Ack/Nak frame with three bytes; only the first one counts.
inline constexpr std::size_t kReplySize = 3;

// Upload blocks: fixed width, and separated from each other in the upload buffer by STX.
inline constexpr std::size_t kBlockSize = 128;
inline constexpr char kBlockSeparator = kStx;

// The two fixed records that announce a coordinate upload; the instrument expects them verbatim.
inline constexpr std::string_view kCoordHeader1 = "F00F000";
inline constexpr std::string_view kCoordHeader2 = "Site1     +00001.000000200020-100000S113";

// Sent unframed after the last block: STX EOT ETX CR LF.
inline constexpr std::string_view kEndFrame = "\x02\x04\x03\r\n";

}  // namespace vrk
