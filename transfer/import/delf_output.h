#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "import/import_result.h"

namespace vrk {

// A point as it goes into the view: Y = E, X = N, all in millimetres.
struct ImportedPoint {
    std::string_view name;  // GBK; empty: the line number stands in
    std::string_view code;
    std::int64_t east = 0;
    std::int64_t north = 0;
    std::optional<std::int64_t> height;
};

// Collects the DELF lines and the report of one import, within a bound on the text it makes.
class DelfOutput {
  public:
    static constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

    explicit DelfOutput(std::size_t maxTextBytes = kNoLimit) : maxTextBytes_(maxTextBytes) {}

    // False once the text would pass its bound; the reader stops there.
    bool add(const ImportedPoint& point, std::size_t line);
    void skip(std::size_t line, std::string text);
    void note(std::size_t line, std::string text);
    bool full() const { return fullAtLine_ != 0; }

    std::size_t points() const { return result_.points; }
    bool skippedNone() const { return result_.skipped == 0; }

    // The result: ok with the lines when at least one point was read and the bound held.
    ImportResult finish();
    // The file is not of the format: nothing is kept but `message`.
    ImportResult fail(std::string message);

    void reserve(std::size_t bytes) { result_.text.reserve(bytes); }

  private:
    void addNote(std::size_t line, bool skipped, std::string text);

    std::size_t maxTextBytes_;
    std::size_t fullAtLine_ = 0;
    ImportResult result_;
};

// `pattern` with "%1" and "%2" replaced.
std::string FillIn(std::string_view pattern, std::string_view first, std::string_view second = {});
std::string FillIn(std::string_view pattern, std::size_t first, std::string_view second = {});

}  // namespace vrk
