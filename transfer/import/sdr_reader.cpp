#include "import/sdr_reader.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "import/delf_output.h"
#include "import/import_texts.h"
#include "import/polar_reduction.h"
#include "import/survey_number.h"
#include "import/text_lines.h"

namespace vrk {

namespace {

constexpr std::size_t kTypeWidth = 4;  // record type and derivation code
constexpr std::size_t kDescriptionWidth = 16;
// Header columns (0-based): version, then the unit digits.
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kVersionWidth = 16;
constexpr std::size_t kAngleUnitAt = 40;
constexpr std::size_t kDistanceUnitAt = 41;
constexpr std::size_t kCoordinateOrderAt = 44;
// Instrument record: the zero of vertical angles.
constexpr std::size_t kVerticalZeroAt = 50;

enum class AngleUnit { Degree, Gon, Mil };

struct Layout {
    std::size_t idWidth = 4;
    std::size_t numberWidth = 10;
    AngleUnit angles = AngleUnit::Degree;
    LengthUnit lengths = LengthUnit::Metre;
    bool eastFirst = false;
    bool verticalFromHorizon = false;
};

// Cuts a record into its fixed fields, each blank-trimmed; a field past the end is empty.
class Fields {
  public:
    Fields(std::string_view record, std::size_t at) : record_(record), at_(at) {}

    std::string_view next(std::size_t width) {
        const std::size_t from = std::min(at_, record_.size());
        at_ += width;
        return TrimBlanks(record_.substr(from, std::min(width, record_.size() - from)));
    }

  private:
    std::string_view record_;
    std::size_t at_;
};

struct KnownPointWithHeight {
    std::string_view name;
    double east;
    double north;
    std::optional<double> height;
};

bool IsRecordStart(std::string_view line) {
    if (line.size() < kTypeWidth) {
        return false;
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isCodeChar = [&](char c) { return isDigit(c) || (c >= 'A' && c <= 'Z'); };
    return isDigit(line[0]) && isDigit(line[1]) && isCodeChar(line[2]) && isCodeChar(line[3]);
}

class SdrReader {
  public:
    SdrReader(std::string_view bytes, std::size_t maxTextBytes)
        : bytes_(bytes), out_(maxTextBytes) {}

    ImportResult read() {
        std::optional<ImportResult> failed;
        bool first = true;
        ForEachTextLine(bytes_, [&](std::string_view line, std::size_t number) {
            if (TrimBlanks(line).empty()) {
                return true;
            }
            if (!IsRecordStart(line)) {
                if (out_.points() == 0) {
                    failed = out_.fail(
                        FillIn(import_texts::kNotSdr, number, import_texts::kWhyNoRecord));
                    return false;
                }
                out_.skip(number, import_texts::kWhyNoRecord);
                return true;
            }
            if (first && line.compare(0, 2, "00") != 0) {
                out_.note(number, import_texts::kNoHeader);
            }
            first = false;
            takeRecord(line, number);
            return !out_.full();
        });
        return failed ? std::move(*failed) : out_.finish();
    }

  private:
    void takeRecord(std::string_view record, std::size_t line) {
        const int type = (record[0] - '0') * 10 + (record[1] - '0');
        switch (type) {
            case 0:
                takeHeader(record);
                break;
            case 1:
                if (record.size() > kVerticalZeroAt) {
                    layout_.verticalFromHorizon = record[kVerticalZeroAt] == '2';
                }
                break;
            case 2:
                takeStation(record, line);
                break;
            case 3:
                takeTargetHeight(record);
                break;
            case 7:
                takeBacksight(record, line);
                break;
            case 8:
                takeCoordinates(record, line);
                break;
            case 9:
                takeObservation(record, line);
                break;
            case 5:
            case 6:
            case 10:
            case 12:
            case 13:
                break;  // settings, job name, notes: no point in them
            default:
                out_.skip(line, FillIn(import_texts::kUnknownRecord, record.substr(0, kTypeWidth)));
                break;
        }
    }

    void takeHeader(std::string_view record) {
        const std::string_view version =
            record.substr(std::min(kVersionAt, record.size())).substr(0, kVersionWidth);
        const bool sdr33 = version.find("33") != std::string_view::npos;
        layout_.idWidth = sdr33 ? 16 : 4;
        layout_.numberWidth = sdr33 ? 16 : 10;
        const auto digit = [&](std::size_t at) { return at < record.size() ? record[at] : '1'; };
        layout_.angles = digit(kAngleUnitAt) == '2'   ? AngleUnit::Gon
                         : digit(kAngleUnitAt) == '4' ? AngleUnit::Mil
                                                      : AngleUnit::Degree;
        layout_.lengths = digit(kDistanceUnitAt) == '2' ? LengthUnit::Foot : LengthUnit::Metre;
        layout_.eastFirst = digit(kCoordinateOrderAt) == '2';
    }

    // Point id, then the two plane coordinates in the header's order, then the height.
    struct Position {
        std::string_view id;
        std::string_view east;
        std::string_view north;
        std::string_view height;
    };

    Position PositionOf(Fields& fields) const {
        Position p;
        p.id = fields.next(layout_.idWidth);
        const std::string_view first = fields.next(layout_.numberWidth);
        const std::string_view second = fields.next(layout_.numberWidth);
        p.east = layout_.eastFirst ? first : second;
        p.north = layout_.eastFirst ? second : first;
        p.height = fields.next(layout_.numberWidth);
        return p;
    }

    std::optional<std::int64_t> Millimetres(std::string_view text, const char* what,
                                            std::string& why) const {
        const auto number = ParseWrittenNumber(text);
        const auto millimetres = number ? ToMillimetres(*number, layout_.lengths) : std::nullopt;
        if (!millimetres && why.empty()) {
            why = number ? FillIn(import_texts::kOutOfRange, what)
                         : FillIn(import_texts::kBadNumber, what, text);
        }
        return millimetres;
    }

    std::optional<double> Metres(std::string_view text) const {
        const auto number = ParseWrittenNumber(text);
        if (!number) {
            return std::nullopt;
        }
        return ToDouble(*number) * MetresPer(layout_.lengths);
    }

    std::optional<double> Radians(std::string_view text) const {
        const auto number = ParseWrittenNumber(text);
        if (!number) {
            return std::nullopt;
        }
        const double value = ToDouble(*number);
        return layout_.angles == AngleUnit::Gon ? GonToRadians(value) : DegreesToRadians(value);
    }

    // A coordinate record as a point; false (and the record skipped) when it is not one.
    bool addPoint(const Position& p, std::string_view code, std::size_t line) {
        std::string why;
        const auto e = Millimetres(p.east, import_texts::kEasting, why);
        const auto n = Millimetres(p.north, import_texts::kNorthing, why);
        std::optional<std::int64_t> h;
        if (!p.height.empty()) {
            h = Millimetres(p.height, import_texts::kHeight, why);
        }
        if (!e || !n || (!p.height.empty() && !h)) {
            out_.skip(line, why);
            return false;
        }
        if (out_.add({p.id, code, *e, *n, h}, line) && known_.size() < kMaxKnownPoints) {
            known_.push_back(
                {p.id, static_cast<double>(*e) / 1000.0, static_cast<double>(*n) / 1000.0,
                 h ? std::optional<double>(static_cast<double>(*h) / 1000.0) : std::nullopt});
        }
        return true;
    }

    void takeCoordinates(std::string_view record, std::size_t line) {
        Fields fields(record, kTypeWidth);
        const Position p = PositionOf(fields);
        addPoint(p, fields.next(kDescriptionWidth), line);
    }

    const KnownPointWithHeight* find(std::string_view name) const {
        for (auto it = known_.rbegin(); it != known_.rend() && !name.empty(); ++it) {
            if (it->name == name) {
                return &*it;
            }
        }
        return nullptr;
    }

    // A station with its coordinates is a point too; one without them stands on a point given
    // before.
    void takeStation(std::string_view record, std::size_t line) {
        Fields fields(record, kTypeWidth);
        const Position p = PositionOf(fields);
        const std::string_view instrumentHeight = fields.next(layout_.numberWidth);
        const std::string_view code = fields.next(kDescriptionWidth);
        station_.reset();
        stationId_ = p.id;
        if (!p.east.empty() || !p.north.empty()) {
            if (!addPoint(p, code, line)) {
                return;
            }
        }
        const KnownPointWithHeight* at = find(p.id);
        if (at == nullptr) {
            out_.skip(line, import_texts::kNoCoordinates);
            return;
        }
        StationSetup setup;
        setup.east = at->east;
        setup.north = at->north;
        setup.height = at->height;
        setup.instrumentHeight = Metres(instrumentHeight);
        station_ = setup;
        oriented_ = false;
    }

    void takeTargetHeight(std::string_view record) {
        Fields fields(record, kTypeWidth);
        targetHeight_ = Metres(fields.next(layout_.numberWidth));
    }

    void takeBacksight(std::string_view record, std::size_t line) {
        Fields fields(record, kTypeWidth);
        const std::string_view stationId = fields.next(layout_.idWidth);
        fields.next(layout_.idWidth);  // the backsight point; its bearing follows
        const auto bearing = Radians(fields.next(layout_.numberWidth));
        const auto circle = Radians(fields.next(layout_.numberWidth));
        if (!station_ || stationId != stationId_ || !bearing || !circle) {
            out_.skip(line, station_ ? import_texts::kNoOrientation : import_texts::kNoStation);
            return;
        }
        station_->orientation = *bearing - *circle;
        oriented_ = true;
    }

    void takeObservation(std::string_view record, std::size_t line) {
        Fields fields(record, kTypeWidth);
        const std::string_view stationId = fields.next(layout_.idWidth);
        const std::string_view target = fields.next(layout_.idWidth);
        const auto slope = Metres(fields.next(layout_.numberWidth));
        const auto vertical = Radians(fields.next(layout_.numberWidth));
        const auto horizontal = Radians(fields.next(layout_.numberWidth));
        const std::string_view code = fields.next(kDescriptionWidth);
        if (!station_) {
            out_.skip(line, import_texts::kNoStation);
            return;
        }
        if (stationId != stationId_) {
            out_.skip(line, FillIn(import_texts::kStationElsewhere, stationId));
            return;
        }
        if (layout_.angles == AngleUnit::Mil) {
            out_.skip(line, import_texts::kMilsNotRead);
            return;
        }
        if (!oriented_) {
            out_.skip(line, import_texts::kNoOrientation);
            return;
        }
        if (!horizontal) {
            out_.skip(line, import_texts::kNoHorizontalAngle);
            return;
        }
        PolarObservation obs;
        obs.horizontalAngle = *horizontal;
        if (vertical) {
            obs.zenithAngle =
                layout_.verticalFromHorizon ? std::numbers::pi / 2 - *vertical : *vertical;
        }
        obs.slopeDistance = slope;
        obs.targetHeight = targetHeight_;
        const auto reduced = vertical ? ReducePolar(*station_, obs) : std::nullopt;
        if (!reduced) {
            out_.skip(line, import_texts::kNoDistance);
            return;
        }
        const auto e = RoundToMillimetres(reduced->east);
        const auto n = RoundToMillimetres(reduced->north);
        if (!e || !n) {
            out_.skip(line, FillIn(import_texts::kOutOfRange, import_texts::kEasting));
            return;
        }
        ImportedPoint point{target, code, *e, *n, std::nullopt};
        if (reduced->height) {
            point.height = RoundToMillimetres(*reduced->height);
        }
        out_.add(point, line);
    }

    std::string_view bytes_;
    DelfOutput out_;
    Layout layout_;
    std::vector<KnownPointWithHeight> known_;
    std::optional<StationSetup> station_;
    std::string_view stationId_;
    bool oriented_ = false;
    std::optional<double> targetHeight_;
};

}  // namespace

ImportResult ReadSdr(std::string_view bytes, std::size_t maxTextBytes) {
    return SdrReader(bytes, maxTextBytes).read();
}

}  // namespace vrk
