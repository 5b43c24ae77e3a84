#include "import/gsi_reader.h"

#include <array>
#include <cmath>
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

// Word layout: two digits of word index, four of information (the last is the unit), the sign,
// then the data, then a blank.
constexpr std::size_t kHeadWidth = 7;
constexpr std::size_t kUnitAt = 5;
constexpr std::size_t kSignAt = 6;
constexpr std::size_t kShortData = 8;
constexpr std::size_t kLongData = 16;
constexpr std::size_t kMaxWordsPerBlock = 64;
// Known points kept for orienting a station; beyond this many the file is read on, and a
// station sighting a point not kept is reported as not oriented.

enum WordIndex {
    kPointId = 11,
    kCodeBlock = 41,
    kHorizontalAngle = 21,
    kVerticalAngle = 22,
    kSlopeDistance = 31,
    kHorizontalDistance = 32,
    kHeightDifference = 33,
    kCode = 71,
    kEasting = 81,
    kNorthing = 82,
    kHeight = 83,
    kStationEasting = 84,
    kStationNorthing = 85,
    kStationHeight = 86,
    kTargetHeight = 87,
    kInstrumentHeight = 88,
};

struct Word {
    int index = 0;
    char unit = '.';
    bool negative = false;
    std::string_view data;
};

struct Block {
    std::array<Word, kMaxWordsPerBlock> words;
    std::size_t count = 0;

    const Word* find(int index) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (words[i].index == index) {
                return &words[i];
            }
        }
        return nullptr;
    }
};

// The data of a word at `at`: the expected width when a blank (or the end) follows it, else up
// to the next blank, so that both word lengths and space-padded data read.
std::size_t DataLength(std::string_view line, std::size_t at, std::size_t expected) {
    for (const std::size_t width : {expected, expected == kLongData ? kShortData : kLongData}) {
        if (at + width == line.size() || (at + width < line.size() && line[at + width] == ' ')) {
            return width;
        }
    }
    const std::size_t blank = line.find(' ', at);
    return (blank == std::string_view::npos ? line.size() : blank) - at;
}

bool ParseBlock(std::string_view line, Block& block) {
    const bool longWords = !line.empty() && line.front() == '*';
    if (longWords) {
        line.remove_prefix(1);
    }
    block.count = 0;
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && line[at] == ' ') {
            ++at;
        }
        if (at >= line.size()) {
            return true;
        }
        if (line.size() - at < kHeadWidth || !IsDigit(line[at]) || !IsDigit(line[at + 1]) ||
            (line[at + kSignAt] != '+' && line[at + kSignAt] != '-')) {
            return false;
        }
        Word word;
        word.index = (line[at] - '0') * 10 + (line[at + 1] - '0');
        word.unit = line[at + kUnitAt];
        word.negative = line[at + kSignAt] == '-';
        const std::size_t dataAt = at + kHeadWidth;
        word.data =
            line.substr(dataAt, DataLength(line, dataAt, longWords ? kLongData : kShortData));
        if (block.count < kMaxWordsPerBlock) {
            block.words[block.count++] = word;
        }
        at = dataAt + word.data.size();
    }
}

// Text data is padded on the left with zeros (or blanks); a name of zeros alone is "0".
std::string_view TextOf(const Word* word) {
    if (word == nullptr) {
        return {};
    }
    const std::string_view data = TrimBlanks(word->data);
    const std::size_t first = data.find_first_not_of('0');
    if (first == std::string_view::npos) {
        return data.empty() ? data : data.substr(data.size() - 1);
    }
    return data.substr(first);
}

std::optional<std::uint64_t> DigitsOf(std::string_view data) {
    data = TrimBlanks(data);
    if (data.empty() || data.size() > kLongData) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : data) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

struct LengthScale {
    LengthUnit unit;
    int scale;
};

std::optional<LengthScale> LengthScaleOf(char unit) {
    switch (unit) {
        case '0':
            return LengthScale{LengthUnit::Metre, 3};
        case '6':
            return LengthScale{LengthUnit::Metre, 4};
        case '8':
            return LengthScale{LengthUnit::Metre, 5};
        case '1':
            return LengthScale{LengthUnit::Foot, 3};
        case '7':
            return LengthScale{LengthUnit::Foot, 4};
        default:
            return std::nullopt;
    }
}

// Reads the word as a length; on failure `why` says what is wrong.
std::optional<WrittenNumber> LengthOf(const Word& word, const char* what, LengthUnit& unit,
                                      std::string& why) {
    const auto scale = LengthScaleOf(word.unit);
    if (!scale) {
        why = FillIn(import_texts::kUnitNotLength, what, std::string(1, word.unit));
        return std::nullopt;
    }
    const auto digits = DigitsOf(word.data);
    if (!digits) {
        why = FillIn(import_texts::kBadNumber, what, std::string(word.data));
        return std::nullopt;
    }
    unit = scale->unit;
    return WrittenNumber{*digits, scale->scale, word.negative};
}

std::optional<double> MetresOf(const Word* word, const char* what, std::string& why) {
    if (word == nullptr) {
        return std::nullopt;
    }
    LengthUnit unit = LengthUnit::Metre;
    const auto number = LengthOf(*word, what, unit, why);
    if (!number) {
        return std::nullopt;
    }
    return ToDouble(*number) * MetresPer(unit);
}

// Gon and decimal degrees carry five decimals; sexagesimal degrees are DDDMMSS and tenths of
// a second.
std::optional<double> RadiansOf(const Word& word, const char* what, std::string& why) {
    const auto digits = DigitsOf(word.data);
    if (!digits) {
        why = FillIn(import_texts::kBadNumber, what, std::string(word.data));
        return std::nullopt;
    }
    const double value = static_cast<double>(*digits);
    double radians = 0.0;
    switch (word.unit) {
        case '2':
            radians = GonToRadians(value / 1e5);
            break;
        case '3':
            radians = DegreesToRadians(value / 1e5);
            break;
        case '4': {
            const std::uint64_t tenths = *digits % 1000;
            const std::uint64_t minutes = *digits / 1000 % 100;
            const std::uint64_t degrees = *digits / 100000;
            radians = DegreesToRadians(static_cast<double>(degrees) +
                                       static_cast<double>(minutes) / 60.0 +
                                       static_cast<double>(tenths) / 36000.0);
            break;
        }
        default:
            why = FillIn(import_texts::kUnitNotAngle, what, std::string(1, word.unit));
            return std::nullopt;
    }
    return word.negative ? -radians : radians;
}

struct KnownPoint {
    std::string_view name;
    double east;
    double north;
};

class GsiReader {
  public:
    GsiReader(std::string_view bytes, std::size_t maxTextBytes)
        : bytes_(bytes), out_(maxTextBytes) {
        // A coordinate block of 8-character words makes about half its length in DELF text.
        out_.reserve(std::min(maxTextBytes, bytes.size() / 2 + 64));
    }

    ImportResult read() {
        std::optional<ImportResult> failed;
        ForEachTextLine(bytes_, [&](std::string_view line, std::size_t number) {
            if (TrimBlanks(line).empty()) {
                return true;
            }
            if (!ParseBlock(line, block_)) {
                if (out_.points() == 0) {
                    failed =
                        out_.fail(FillIn(import_texts::kNotGsi, number, import_texts::kWhyNoWord));
                    return false;
                }
                out_.skip(number, import_texts::kWhyNoWord);
                return true;
            }
            takeBlock(number);
            return !out_.full();
        });
        return failed ? std::move(*failed) : out_.finish();
    }

  private:
    void takeBlock(std::size_t line) {
        if (block_.count == 0 || block_.words[0].index == kCodeBlock) {
            return;
        }
        if (const Word* target = block_.find(kTargetHeight)) {
            std::string why;
            targetHeight_ = MetresOf(target, "目标高", why);
        }
        const Word* east = block_.find(kEasting);
        const Word* north = block_.find(kNorthing);
        if (east != nullptr || north != nullptr) {
            takeCoordinates(line, east, north);
        } else if (block_.find(kStationEasting) != nullptr &&
                   block_.find(kStationNorthing) != nullptr) {
            takeStation(line);
        } else if (block_.find(kHorizontalAngle) != nullptr) {
            takeObservation(line);
        } else if (block_.find(kPointId) != nullptr && block_.find(kTargetHeight) == nullptr) {
            out_.skip(line, import_texts::kNoCoordinates);
        }
    }

    void takeCoordinates(std::size_t line, const Word* east, const Word* north) {
        if (east == nullptr || north == nullptr) {
            out_.skip(line, import_texts::kNoCoordinates);
            return;
        }
        std::string why;
        ImportedPoint point;
        point.name = TextOf(block_.find(kPointId));
        point.code = TextOf(block_.find(kCode));
        const std::optional<std::int64_t> e = Millimetres(*east, import_texts::kEasting, why);
        std::optional<std::int64_t> n;
        if (e) {
            n = Millimetres(*north, import_texts::kNorthing, why);
        }
        const Word* height = block_.find(kHeight);
        std::optional<std::int64_t> h;
        if (n && height != nullptr) {
            h = Millimetres(*height, import_texts::kHeight, why);
        }
        if (!n || (height != nullptr && !h)) {
            out_.skip(line, why);
            return;
        }
        point.east = *e;
        point.north = *n;
        point.height = h;
        if (out_.add(point, line) && known_.size() < kMaxKnownPoints) {
            known_.push_back(
                {point.name, static_cast<double>(*e) / 1000.0, static_cast<double>(*n) / 1000.0});
        }
    }

    static std::optional<std::int64_t> Millimetres(const Word& word, const char* what,
                                                   std::string& why) {
        LengthUnit unit = LengthUnit::Metre;
        const auto number = LengthOf(word, what, unit, why);
        if (!number) {
            return std::nullopt;
        }
        const auto millimetres = ToMillimetres(*number, unit);
        if (!millimetres) {
            why = FillIn(import_texts::kOutOfRange, what);
        }
        return millimetres;
    }

    void takeStation(std::size_t line) {
        std::string why;
        const std::optional<double> east =
            MetresOf(block_.find(kStationEasting), import_texts::kEasting, why);
        std::optional<double> north;
        if (east) {
            north = MetresOf(block_.find(kStationNorthing), import_texts::kNorthing, why);
        }
        if (!north) {
            station_.reset();
            out_.skip(line, why);
            return;
        }
        StationSetup setup;
        setup.east = *east;
        setup.north = *north;
        setup.height = MetresOf(block_.find(kStationHeight), import_texts::kHeight, why);
        setup.instrumentHeight = MetresOf(block_.find(kInstrumentHeight), "仪器高", why);
        station_ = setup;
        oriented_ = false;
    }

    void takeObservation(std::size_t line) {
        if (!station_) {
            out_.skip(line, import_texts::kNoStation);
            return;
        }
        std::string why;
        const auto hz = RadiansOf(*block_.find(kHorizontalAngle), "水平角", why);
        if (!hz) {
            out_.skip(line, why);
            return;
        }
        const std::string_view name = TextOf(block_.find(kPointId));
        if (!oriented_) {
            orient(line, name, *hz);
            return;
        }
        PolarObservation obs;
        obs.horizontalAngle = *hz;
        if (const Word* v = block_.find(kVerticalAngle)) {
            obs.zenithAngle = RadiansOf(*v, "天顶距", why);
        }
        obs.slopeDistance = MetresOf(block_.find(kSlopeDistance), "斜距", why);
        obs.horizontalDistance = MetresOf(block_.find(kHorizontalDistance), "平距", why);
        obs.heightDifference = MetresOf(block_.find(kHeightDifference), "高差", why);
        obs.targetHeight = targetHeight_;
        const auto reduced = ReducePolar(*station_, obs);
        if (!reduced) {
            out_.skip(line, why.empty() ? std::string(import_texts::kNoDistance) : why);
            return;
        }
        const auto e = RoundToMillimetres(reduced->east);
        const auto n = RoundToMillimetres(reduced->north);
        if (!e || !n) {
            out_.skip(line, FillIn(import_texts::kOutOfRange, import_texts::kEasting));
            return;
        }
        ImportedPoint point{name, TextOf(block_.find(kCode)), *e, *n, std::nullopt};
        if (reduced->height) {
            point.height = RoundToMillimetres(*reduced->height);
        }
        out_.add(point, line);
    }

    // The first sighting of a point whose coordinates the file gave orients the station.
    void orient(std::size_t line, std::string_view name, double hz) {
        for (auto it = known_.rbegin(); it != known_.rend() && !name.empty(); ++it) {
            if (it->name == name) {
                station_->orientation =
                    BearingBetween(station_->east, station_->north, it->east, it->north) - hz;
                oriented_ = true;
                return;
            }
        }
        out_.skip(line, import_texts::kNoOrientation);
    }

    std::string_view bytes_;
    DelfOutput out_;
    Block block_;
    std::vector<KnownPoint> known_;
    std::optional<StationSetup> station_;
    bool oriented_ = false;
    std::optional<double> targetHeight_;
};

}  // namespace

ImportResult ReadGsi(std::string_view bytes, std::size_t maxTextBytes) {
    return GsiReader(bytes, maxTextBytes).read();
}

}  // namespace vrk
