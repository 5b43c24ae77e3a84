#include "transcript/transcript_format.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "text/gbk_tables.h"

namespace vrk {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string_view ControlName(std::uint8_t byte) {
    switch (byte) {
        case 0x02:
            return "<STX>";
        case 0x03:
            return "<ETX>";
        case 0x04:
            return "<EOT>";
        case 0x05:
            return "<ENQ>";
        case 0x06:
            return "<ACK>";
        case 0x15:
            return "<NAK>";
        case 0x0D:
            return "<CR>";
        case 0x0A:
            return "<LF>";
        default:
            return {};
    }
}

void AppendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendHexByte(std::string& out, std::uint8_t byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

void AppendSeconds(std::string& out, std::chrono::nanoseconds sinceOpen) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceOpen).count();
    const long long whole = ms / 1000;
    const long long fraction = ms % 1000;
    std::array<char, 24> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), whole);
    out.append(digits.data(), end);
    out += '.';
    out += static_cast<char>('0' + fraction / 100);
    out += static_cast<char>('0' + fraction / 10 % 10);
    out += static_cast<char>('0' + fraction % 10);
}

bool IsLeadByte(std::uint8_t byte) {
    return byte >= 0x81 && byte != 0xFF;
}

// The character a lead and a trail byte form, or kNone.
char16_t PairAt(std::string_view bytes, std::size_t i) {
    if (i + 1 >= bytes.size() || !IsLeadByte(static_cast<std::uint8_t>(bytes[i]))) {
        return GbkTables::kNone;
    }
    static const GbkTables& gbk = Gbk();
    return gbk.decode[static_cast<std::uint8_t>(bytes[i]) * 256u +
                      static_cast<std::uint8_t>(bytes[i + 1])];
}

}  // namespace

bool EndsInsideCharacter(std::string_view bytes) {
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        i += PairAt(bytes, i) != GbkTables::kNone ? std::size_t{2} : std::size_t{1};
    }
    return i + 1 == bytes.size() && IsLeadByte(static_cast<std::uint8_t>(bytes.back()));
}

void AppendBytesAsText(std::string& out, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += static_cast<char>(byte);
            continue;
        }
        if (const std::string_view name = ControlName(byte); !name.empty()) {
            out += name;
            continue;
        }
        if (const char16_t c = PairAt(bytes, i); c != GbkTables::kNone) {
            AppendUtf8(out, c);
            ++i;
            continue;
        }
        out += '<';
        AppendHexByte(out, byte);
        out += '>';
    }
}

std::string FormatBytesLine(std::chrono::nanoseconds sinceOpen, Direction direction,
                            std::string_view bytes) {
    std::string line;
    AppendBytesLine(line, sinceOpen, direction, bytes);
    return line;
}

void AppendBytesLine(std::string& out, std::chrono::nanoseconds sinceOpen, Direction direction,
                     std::string_view bytes) {
    AppendSeconds(out, sinceOpen);
    out += direction == Direction::Tx ? " TX " : " RX ";
    if (bytes.empty()) {
        out += "  ";
        return;
    }
    // Every line goes through here: the hex column is written in place, not a character at a time.
    const std::size_t at = out.size();
    out.resize(at + bytes.size() * 3 + 1);  // "XX " a byte, and the second space before the text
    char* next = out.data() + at;
    for (const char byte : bytes) {
        const auto value = static_cast<std::uint8_t>(byte);
        *next++ = kHexDigits[value >> 4];
        *next++ = kHexDigits[value & 0x0F];
        *next++ = ' ';
    }
    *next = ' ';
    AppendBytesAsText(out, bytes);
}

std::string FormatEventLine(std::chrono::nanoseconds sinceOpen, std::string_view what) {
    std::string line;
    AppendSeconds(line, sinceOpen);
    line += " -- ";
    line += what;
    return line;
}

}  // namespace vrk
