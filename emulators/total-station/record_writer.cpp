#include "record_writer.h"

#include <cstdint>

#include "check_value.h"
#include "protocol.h"

namespace tssim {
namespace {

std::string millimetres(std::int64_t mm) {
    // The magnitude as unsigned: a minimum int64 has no positive counterpart.
    const std::uint64_t magnitude =
        mm < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(mm) : static_cast<std::uint64_t>(mm);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < protocol::kCoordDigits) {
        digits.insert(0, protocol::kCoordDigits - digits.size(), '0');
    }
    return (mm < 0 ? "-" : "+") + digits;
}

std::string coordField(std::string_view label, std::int64_t mm) {
    std::string field(1, protocol::kFieldSeparator);
    field += label;
    field += millimetres(mm);
    return field;
}

}  // namespace

std::string coordRecord(const Point& point) {
    std::string record(1, protocol::kFieldSeparator);
    record += protocol::kNameMarker;
    record += point.name;
    if (record.size() < protocol::kNameFieldWidth) {
        record.append(protocol::kNameFieldWidth - record.size(), protocol::kBlockPadding);
    }
    record += coordField(protocol::kNorthLabel, point.northMm);
    record += coordField(protocol::kEastLabel, point.eastMm);
    record += coordField(protocol::kHeightLabel, point.heightMm);
    return record;
}

std::string pcodeRecord(const PcodeEntry& entry) {
    std::string number = std::to_string(entry.number);
    if (number.size() < protocol::kPcodeNumberDigits) {
        number.insert(0, protocol::kPcodeNumberDigits - number.size(), '0');
    }
    std::string text = entry.text.substr(0, protocol::kPcodeTextBytes);
    text.resize(protocol::kPcodeTextBytes, protocol::kBlockPadding);
    std::string record(1, protocol::kFieldSeparator);
    record.push_back(protocol::kPcodeMarker);
    return record + number + text;
}

std::vector<std::string> packBlocks(const std::vector<std::string>& records) {
    std::vector<std::string> blocks;
    std::string pending;
    for (const std::string& record : records) {
        pending += record;
        while (pending.size() >= protocol::kBlockSize) {
            blocks.push_back(pending.substr(0, protocol::kBlockSize));
            pending.erase(0, protocol::kBlockSize);
        }
    }
    pending.push_back(protocol::kFieldSeparator);
    pending.resize(protocol::kBlockSize, protocol::kBlockPadding);
    blocks.push_back(pending);
    return blocks;
}

std::vector<std::string> memoryBlocks(const Memory& memory, Content content) {
    std::vector<std::string> records;
    if (content == Content::Coordinates) {
        for (const Point& point : memory.points) {
            records.push_back(coordRecord(point));
        }
    } else {
        for (const PcodeEntry& entry : memory.pcodes) {
            records.push_back(pcodeRecord(entry));
        }
    }
    return packBlocks(records);
}

std::string frame(std::string_view payload) {
    std::string bytes(1, protocol::kStx);
    bytes += payload;
    bytes.push_back(protocol::kEtx);
    bytes.push_back(protocol::kCr);
    bytes.push_back(protocol::kLf);
    return bytes;
}

std::vector<std::string> downloadLines(const Memory& memory, Content content) {
    std::vector<std::string> lines;
    int counter = 0;
    for (const std::string& block : memoryBlocks(memory, content)) {
        lines.push_back(frame(dataRecord(block, counter++)));
    }
    return lines;
}

}  // namespace tssim
