#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vrk {

enum class Direction { Tx, Rx };

// At most this many bytes go on one transcript line.
inline constexpr std::size_t kTranscriptBytesPerLine = 16;

// "12.345 TX 02 41 03  <STX>A<ETX>": the time since the open, the direction, the bytes in hex,
// and the same bytes as text (printable GBK as characters, control bytes by name, others <xx>).
std::string FormatBytesLine(std::chrono::nanoseconds sinceOpen, Direction direction,
                            std::string_view bytes);

// The same, appended to `out` (no allocation once `out` has grown).
void AppendBytesLine(std::string& out, std::chrono::nanoseconds sinceOpen, Direction direction,
                     std::string_view bytes);

// "12.345 -- what happened".
std::string FormatEventLine(std::chrono::nanoseconds sinceOpen, std::string_view what);

// True when the last byte would start a GBK character whose second byte is still to come; such
// a byte is better carried to the next line than shown as a lone byte.
bool EndsInsideCharacter(std::string_view bytes);

// Appends the bytes as the text column shows them.
void AppendBytesAsText(std::string& out, std::string_view bytes);

}  // namespace vrk
