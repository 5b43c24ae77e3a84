#pragma once

#include <cstddef>
#include <string_view>

// The bytes and sizes of the instrument's line protocol, in one place.
namespace tssim::protocol {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kEot = 0x04;
inline constexpr char kEnq = 0x05;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kCr = 0x0D;
inline constexpr char kLf = 0x0A;

// The two bytes after ACK or NAK in an answer carry nothing for the computer; the station
// sends its own "OK" / "ER" so that a person watching the line can tell them apart.
inline constexpr std::string_view kAckAnswer{"\x06OK", 3};
inline constexpr std::string_view kNakAnswer{
    "\x15"
    "ER",
    3};

inline constexpr std::size_t kBlockSize = 128;
inline constexpr char kFieldSeparator = '_';
inline constexpr char kBlockPadding = ' ';

// Data record payload: block, one counter digit, check value of three (or four: "-128") bytes.
inline constexpr std::size_t kCheckWidth = 3;
inline constexpr std::size_t kMinDataPayload = kBlockSize + 1 + kCheckWidth;
inline constexpr int kCounterModulus = 10;

// Coordinate uploads start with these two frames; they carry no counter or check value.
inline constexpr std::string_view kHeaderJob = "F00F000";
inline constexpr std::string_view kHeaderSite = "Site1     +00001.000000200020-100000S113";

// Field forms inside the block stream.
inline constexpr std::string_view kNameMarker = "+";  // "_+name"
inline constexpr std::string_view kNorthLabel = " x";
inline constexpr std::string_view kEastLabel = " y";
inline constexpr std::string_view kHeightLabel = " z";
inline constexpr char kPcodeMarker = ':';           // "_:NNNtext"
inline constexpr std::size_t kNameFieldWidth = 12;  // "_+" and the name, padded
inline constexpr std::size_t kCoordDigits = 9;      // millimetres, zero-padded
inline constexpr std::size_t kPcodeNumberDigits = 3;
inline constexpr std::size_t kPcodeTextBytes = 10;

// A frame longer than this cannot come from the program; the reader drops it instead of
// letting a sender without ETX grow the buffer for ever.
inline constexpr std::size_t kMaxFramePayload = 4096;

// 1 start bit, 8 data bits, 1 stop bit, plus one bit for parity or a second stop bit, which a
// real line may have: paces a little slower rather than faster than the wire.
inline constexpr int kBitsPerByte = 11;

}  // namespace tssim::protocol
