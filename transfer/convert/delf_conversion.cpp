#include "convert/delf_conversion.h"

#include <algorithm>
#include <array>
#include <optional>

#include "convert/block_stream_reader.h"
#include "convert/conversion_wording.h"
#include "convert/convert_texts.h"
#include "convert/millimetre_field.h"
#include "files/large_buffer.h"

namespace vrk {

namespace {

constexpr int kFieldsPerPoint = 4;
// Names up to this long go out through the one-append way.
constexpr std::size_t kNameRoom = 32;
// A DELF line runs to about 45 bytes for the instrument's 51-byte record.
constexpr std::size_t kOutputPerInputNumerator = 9;
constexpr std::size_t kOutputPerInputDenominator = 8;

class PointCollector {
  public:
    explicit PointCollector(std::size_t inputSize) {
        ReserveLargeBuffer(output_,
                           inputSize / kOutputPerInputDenominator * kOutputPerInputNumerator);
    }

    void operator()(std::string_view field) {
        ++fieldCount_;
        switch (fieldCount_ % kFieldsPerPoint) {
            case 1:
                if (!field.empty() && field.front() == '+') {
                    field.remove_prefix(1);
                }
                name_.assign(field);
                break;
            case 2:
                x_.assign(field);
                break;
            case 3:
                y_.assign(field);
                break;
            default:
                appendPoint(field);
                break;
        }
    }

    long long fieldCount() const { return fieldCount_; }
    long long pointCount() const { return fieldCount_ / kFieldsPerPoint; }
    long long droppedFields() const { return fieldCount_ % kFieldsPerPoint; }
    std::string& output() { return output_; }

  private:
    // The common point goes out in one append; any unusual value takes the general way.
    void appendPoint(std::string_view h) {
        if (name_.size() <= kNameRoom) {
            std::array<char, 2 * (kNameRoom + 1) + 3 * (kWholeMetresRoom + 1) + 1> line;
            char* to = std::copy(name_.begin(), name_.end(), line.data());
            *to++ = ',';
            to = std::copy(name_.begin(), name_.end(), to);
            *to++ = ',';
            to = WriteWholeMetres(to, y_);
            if (to != nullptr) {
                *to++ = ',';
                to = WriteWholeMetres(to, x_);
            }
            if (to != nullptr) {
                *to++ = ',';
                to = WriteWholeMetres(to, h);
            }
            if (to != nullptr) {
                *to++ = '\r';
                *to++ = '\n';
                output_.append(line.data(), static_cast<std::size_t>(to - line.data()));
                return;
            }
        }
        output_ += name_;
        output_ += ',';
        output_ += name_;
        output_ += ',';
        AppendMetres(output_, y_);
        output_ += ',';
        AppendMetres(output_, x_);
        output_ += ',';
        AppendMetres(output_, h);
        output_ += "\r\n";
    }

    long long fieldCount_ = 0;
    std::string name_;
    std::string x_;
    std::string y_;
    std::string output_;
};

bool HasCoordinateLetters(std::string_view line) {
    return line.find('x') != std::string_view::npos && line.find('y') != std::string_view::npos &&
           line.find('z') != std::string_view::npos;
}

std::string Report(const PointCollector& points) {
    std::string report =
        WithCount(kReportDelfPoints, static_cast<std::size_t>(points.pointCount()));
    if (points.droppedFields() != 0) {
        report += WithCount(kReportDroppedFields, static_cast<std::size_t>(points.droppedFields()));
    }
    return report;
}

}  // namespace

ConversionResult ConvertToDelf(std::string_view viewText) {
    const std::string_view text = viewText;
    PointCollector points(text.size());
    BlockStreamReader reader([&points](std::string_view field) { points(field); });
    std::optional<std::size_t> unlabelledLine;  // where it starts
    const bool hasLines = ForEachDownloadLine(text, [&](std::string_view line, std::size_t at) {
        if (points.fieldCount() == 0 && !HasCoordinateLetters(line)) {
            unlabelledLine = at;
            return false;
        }
        if (line.size() >= kDownloadBlockSize) {
            reader.feed(line.substr(0, kDownloadBlockSize));
        }
        return true;
    });
    if (unlabelledLine) {
        return {false,
                {},
                std::string(kMsgBadFormat),
                WithCount(kWhereLineLacksXyz, LineNumberAt(text, *unlabelledLine)),
                {}};
    }
    if (!hasLines) {
        return {false, {}, std::string(kMsgConversionFailed), std::string(WhereNoLines(text)), {}};
    }
    if (points.pointCount() == 0) {
        return {false,
                {},
                std::string(kMsgConversionFailed),
                WithCount(kWhereTooFewFields, static_cast<std::size_t>(points.fieldCount())),
                {}};
    }
    std::string report = Report(points);
    return {true, std::move(points.output()), {}, {}, std::move(report)};
}

}  // namespace vrk
