#include "pcode_file.h"

#include <charconv>

#include "protocol.h"
#include "text_lines.h"

namespace tssim {
namespace {

constexpr int kMaxNumber = 999;  // three digits on the line

bool isGbkLead(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// Cut at a character boundary: walk the text character by character.
std::string cutToInstrumentWidth(std::string_view text, std::size_t& cuts) {
    if (text.size() <= protocol::kPcodeTextBytes) {
        return std::string(text);
    }
    ++cuts;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = isGbkLead(text[end]) && end + 1 < text.size() ? 2 : 1;
        if (end + width > protocol::kPcodeTextBytes) {
            break;
        }
        end += width;
    }
    return std::string(text.substr(0, end));
}

}  // namespace

PcodeParse parsePcode(std::string_view text) {
    PcodeParse out;
    forEachLine(text, [&out](std::string_view line, std::size_t lineNumber) {
        if (trimSpaces(line).empty()) {
            return;
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            out.errors.push_back(where + "expected number,text");
            return;
        }
        const std::string_view digits = trimSpaces(line.substr(0, comma));
        int number = -1;
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec != std::errc{} || end != digits.data() + digits.size() || number < 0 ||
            number > kMaxNumber) {
            out.errors.push_back(where + "the code number must be 0 to 999");
            return;
        }
        out.entries.push_back(
            PcodeEntry{number, cutToInstrumentWidth(line.substr(comma + 1), out.textsCut)});
    });
    return out;
}

std::string formatPcode(const std::vector<PcodeEntry>& entries) {
    std::string text;
    for (const PcodeEntry& e : entries) {
        text += std::to_string(e.number) + "," + e.text + "\r\n";
    }
    return text;
}

}  // namespace tssim
