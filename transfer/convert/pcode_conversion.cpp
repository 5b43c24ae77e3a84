#include "convert/pcode_conversion.h"

#include "convert/block_stream_reader.h"
#include "convert/conversion_wording.h"
#include "convert/convert_texts.h"
#include "text/decimal_reader.h"

namespace vrk {

namespace {

constexpr char kCodeMarker = ':';
constexpr std::size_t kNumberWidth = 3;

}  // namespace

ConversionResult ConvertToPcode(std::string_view viewText) {
    const std::string_view text = viewText;
    std::string output;
    std::size_t codes = 0;
    std::size_t fields = 0;
    BlockStreamReader reader([&](std::string_view field) {
        ++fields;
        const std::size_t marker = field.find(kCodeMarker);
        // The number takes three characters and at least one more must follow as text.
        if (marker == std::string_view::npos || field.size() - marker - 1 <= kNumberWidth) {
            return;
        }
        ++codes;
        const std::string_view number = field.substr(marker + 1, kNumberWidth);
        output += std::to_string(ReadLeadingInt(number));
        output += ',';
        output += field.substr(marker + 1 + kNumberWidth);
        output += "\r\n";
    });
    const bool hasLines = ForEachDownloadLine(text, [&](std::string_view line) {
        if (line.size() >= kDownloadBlockSize && line.find(kCodeMarker) != std::string_view::npos) {
            reader.feed(line.substr(0, kDownloadBlockSize));
        }
        return true;
    });
    if (!hasLines) {
        return {false, {}, std::string(kMsgConversionFailed), std::string(WhereNoLines(text)), {}};
    }
    if (codes == 0) {
        return {
            false, {}, std::string(kMsgConversionFailed), WithCount(kWhereNoCodeField, fields), {}};
    }
    return {true, std::move(output), {}, {}, WithCount(kReportPcodeCodes, codes)};
}

}  // namespace vrk
