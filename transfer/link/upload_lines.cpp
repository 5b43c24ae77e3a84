#include "link/upload_lines.h"

#include <algorithm>

#include "link/block_packer.h"
#include "text/decimal_reader.h"

namespace vrk {

namespace {

constexpr std::size_t kCoordCommas = 4;

}  // namespace

std::optional<CoordRecord> ParseCoordLine(std::string_view line) {
    if (line.empty() ||
        static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) != kCoordCommas) {
        return std::nullopt;
    }
    CoordRecord record;
    const std::size_t nameStart = std::min(line.find_first_not_of(' '), line.size());
    const std::size_t nameEnd = line.find_first_of(" ,", nameStart);
    record.name = std::string(line.substr(nameStart, nameEnd - nameStart));

    std::size_t commas[kCoordCommas] = {};
    std::size_t from = 0;
    for (std::size_t& comma : commas) {
        comma = line.find(',', from);
        from = comma + 1;
    }
    const auto after = [&](std::size_t comma) { return line.substr(comma + 1); };
    record.y = ReadDecimal(after(commas[1]));
    record.x = ReadDecimal(after(commas[2]));
    record.h = ReadDecimal(after(commas[3]));
    return record;
}

std::optional<PcodeRecord> ParsePcodeLine(std::string_view line) {
    std::string cleaned(line);
    std::erase(cleaned, '\r');
    const std::size_t comma = cleaned.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    PcodeRecord record;
    record.number = ReadLeadingInt(cleaned);
    record.text = cleaned.substr(comma + 1);
    return record;
}

std::string BuildCoordUpload(std::string_view viewText) {
    BlockPacker packer;
    packer.start();
    ForEachUploadLine(viewText, [&](std::string_view line) {
        if (const auto record = ParseCoordLine(line)) {
            packer.add(record->format());
        }
    });
    packer.finish();
    return packer.takeOutput();
}

std::string BuildPcodeUpload(std::string_view viewText) {
    BlockPacker packer;
    packer.start();
    ForEachUploadLine(viewText, [&](std::string_view line) {
        if (const auto record = ParsePcodeLine(line)) {
            packer.add(record->format());
        }
    });
    packer.finish();
    return packer.takeOutput();
}

}  // namespace vrk
