#include "import/delf_output.h"

#include "import/import_texts.h"
#include "import/survey_number.h"

namespace vrk {

namespace {

// The longest DELF line a point of 15-digit coordinates makes, without its name and code.
constexpr std::size_t kNumbersRoom = 3 * 21 + 6;

}  // namespace

bool DelfOutput::add(const ImportedPoint& point, std::size_t line) {
    if (full()) {
        return false;
    }
    std::string name;
    if (point.name.empty()) {
        name = std::to_string(line);
        addNote(line, false, FillIn(import_texts::kNoName, line));
    }
    const std::string_view shownName = point.name.empty() ? std::string_view(name) : point.name;
    if (result_.text.size() + shownName.size() + point.code.size() + kNumbersRoom > maxTextBytes_) {
        fullAtLine_ = line;
        return false;
    }
    std::string& out = result_.text;
    out += shownName;
    out += ',';
    out += point.code;
    out += ',';
    AppendMetres(out, point.east);
    out += ',';
    AppendMetres(out, point.north);
    out += ',';
    if (point.height) {
        AppendMetres(out, *point.height);
    } else {
        addNote(line, false, import_texts::kNoHeight);
    }
    out += "\r\n";
    ++result_.points;
    return true;
}

void DelfOutput::skip(std::size_t line, std::string text) {
    ++result_.skipped;
    addNote(line, true, std::move(text));
}

void DelfOutput::note(std::size_t line, std::string text) {
    addNote(line, false, std::move(text));
}

void DelfOutput::addNote(std::size_t line, bool skipped, std::string text) {
    if (result_.notes.size() >= kMaxImportNotes) {
        ++result_.notesLeftOut;
        return;
    }
    result_.notes.push_back({line, skipped, std::move(text)});
}

ImportResult DelfOutput::finish() {
    if (full()) {
        return fail(FillIn(import_texts::kTooLarge, maxTextBytes_, std::to_string(fullAtLine_)));
    }
    if (result_.points == 0) {
        return fail(import_texts::kNoPoints);
    }
    result_.ok = true;
    return std::move(result_);
}

ImportResult DelfOutput::fail(std::string message) {
    ImportResult failed;
    failed.message = std::move(message);
    failed.skipped = result_.skipped;
    failed.notes = std::move(result_.notes);
    failed.notesLeftOut = result_.notesLeftOut;
    return failed;
}

std::string FillIn(std::string_view pattern, std::string_view first, std::string_view second) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string FillIn(std::string_view pattern, std::size_t first, std::string_view second) {
    return FillIn(pattern, std::to_string(first), second);
}

}  // namespace vrk
