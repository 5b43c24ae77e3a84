#include "convert/delf_conversion.h"

#include <array>
#include <charconv>

#include "convert/block_stream_reader.h"
#include "convert/convert_messages.h"
#include "text/decimal_reader.h"

namespace vrk {

namespace {

constexpr double kMetresPerMillimetre = 0.001;
constexpr int kFieldsPerPoint = 4;
// A coordinate field starts with two label characters (" x"); the value follows them.
constexpr std::size_t kLabelWidth = 2;

// "%.3f" without the locale's decimal separator.
void AppendMetres(std::string& out, std::string_view field) {
    // A field too short to hold a value after its label reads as 0, like a field without digits.
    const double millimetres =
        field.size() > kLabelWidth ? ReadDecimal(field.substr(kLabelWidth)) : 0.0;
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                      millimetres * kMetresPerMillimetre, std::chars_format::fixed, 3);
    out.append(buffer.data(), result.ptr);
}

class PointCollector {
  public:
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
    std::string& output() { return output_; }

  private:
    void appendPoint(std::string_view h) {
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

}  // namespace

ConversionResult ConvertToDelf(std::string_view viewText) {
    const std::string text = WithoutStx(viewText);
    PointCollector points;
    BlockStreamReader reader([&points](std::string_view field) { points(field); });
    bool badFormat = false;
    const bool hasLines = ForEachDownloadLine(text, [&](std::string_view line) {
        if (points.fieldCount() == 0 && !HasCoordinateLetters(line)) {
            badFormat = true;
            return false;
        }
        if (line.size() >= kDownloadBlockSize) {
            reader.feed(line.substr(0, kDownloadBlockSize));
        }
        return true;
    });
    if (badFormat) {
        return {false, {}, std::string(kMsgBadFormat)};
    }
    if (!hasLines || points.fieldCount() < kFieldsPerPoint) {
        return {false, {}, std::string(kMsgConversionFailed)};
    }
    return {true, std::move(points.output()), {}};
}

}  // namespace vrk
