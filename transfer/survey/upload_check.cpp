#include "survey/upload_check.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <unordered_map>

#include "link/coord_record.h"
#include "link/link_constants.h"
#include "link/pcode_record.h"
#include "survey/delf_point_list.h"
#include "survey/numbered_upload_lines.h"
#include "survey/upload_check_texts.h"
#include "text/decimal_reader.h"

namespace vrk {

namespace {

// `pattern` with "%1", "%2"… replaced by `args` in order.
std::string WithArgs(std::string_view pattern, std::initializer_list<std::string> args) {
    std::string text(pattern);
    char marker = '1';
    for (const std::string& arg : args) {
        const std::string placeholder{'%', marker++};
        const std::size_t at = text.find(placeholder);
        if (at != std::string::npos) {
            text.replace(at, placeholder.size(), arg);
        }
    }
    return text;
}

class FindingList {
  public:
    explicit FindingList(UploadFindings& findings) : findings_(findings) {}
    void add(std::size_t line, std::string text) { findings_.push_back({line, std::move(text)}); }
    void add(std::size_t line, std::string_view text) { add(line, std::string(text)); }

  private:
    UploadFindings& findings_;
};

void AddUnreadTail(const UnreadTail& tail, FindingList& found) {
    if (tail.firstLine != 0) {
        found.add(tail.firstLine, kFindNotSentAfterEmptyLine);
    }
}

std::string_view WithoutTrailingBlanks(std::string_view field) {
    const std::size_t last = field.find_last_not_of(" \t\r");
    return last == std::string_view::npos ? std::string_view() : field.substr(0, last + 1);
}

void CheckCoordValue(std::string_view label, std::string_view field, std::size_t line,
                     FindingList& found) {
    const std::string_view number = WithoutTrailingBlanks(field);
    const std::string name(label);
    if (number.find_first_not_of(' ') == std::string_view::npos) {
        found.add(line, name + std::string(kFindValueEmpty));
        return;
    }
    if (DecimalLength(number) != number.size()) {
        found.add(line, name + std::string(kFindValueNotWhole));
    }
    if (FormatCoord(ReadDecimal(number)).size() > kCoordValueWidth) {
        found.add(line, name + std::string(kFindValueTooManyDigits));
    }
}

// Y, X and H: the fields after the second, third and fourth comma of a line with four.
void CheckCoordValues(std::string_view line, std::size_t number, FindingList& found) {
    std::array<std::size_t, 5> commas{};
    std::size_t from = 0;
    for (std::size_t i = 0; i + 1 < commas.size(); ++i) {
        commas[i] = line.find(',', from);
        from = commas[i] + 1;
    }
    commas.back() = line.size();
    constexpr std::array<std::string_view, 3> kLabels = {"Y", "X", "H"};
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        const std::size_t start = commas[i + 1] + 1;
        CheckCoordValue(kLabels[i], line.substr(start, commas[i + 2] - start), number, found);
    }
}

}  // namespace

UploadFindings CheckCoordUpload(std::string_view viewText) {
    UploadFindings findings;
    FindingList found(findings);
    std::unordered_map<std::string, std::size_t> firstLineOfName;
    const UnreadTail tail = ForEachNumberedUploadLine(viewText, [&](const NumberedLine& line) {
        const auto record = ParseCoordLine(line.text);
        if (!record) {
            if (!IsBlankLine(line.text)) {
                found.add(line.number, kFindNotFourCommas);
            }
            return;
        }
        if (record->name.size() > kCoordNameBytes) {
            found.add(line.number, kFindNameTooLong);
        }
        if (record->name.find(kFieldSeparator) != std::string::npos) {
            found.add(line.number, kFindNameUnderscore);
        }
        CheckCoordValues(line.text, line.number, found);
        const auto [first, isNew] = firstLineOfName.try_emplace(record->name, line.number);
        if (!isNew) {
            found.add(line.number, WithArgs(kFindDuplicateName, {std::to_string(first->second)}));
        }
    });
    AddUnreadTail(tail, found);
    return findings;
}

UploadFindings CheckPcodeUpload(std::string_view viewText) {
    UploadFindings findings;
    FindingList found(findings);
    std::unordered_map<int, std::size_t> firstLineOfNumber;
    const UnreadTail tail = ForEachNumberedUploadLine(viewText, [&](const NumberedLine& line) {
        const auto record = ParsePcodeLine(line.text);
        if (!record) {
            if (!IsBlankLine(line.text)) {
                found.add(line.number, kFindNoComma);
            }
            return;
        }
        const std::string number = std::to_string(record->number);
        if (record->number > kMaxPcodeNumber) {
            found.add(line.number, WithArgs(kFindNumberAbove50, {number}));
        } else if (record->number < 0) {
            found.add(line.number, WithArgs(kFindNumberBelow0, {number}));
        }
        const int sent = std::min(record->number, kMaxPcodeNumber);
        const auto [first, isNew] = firstLineOfNumber.try_emplace(sent, line.number);
        if (!isNew) {
            found.add(line.number, WithArgs(kFindNumberRepeated,
                                            {std::to_string(sent), std::to_string(first->second)}));
        }
        if (record->text.size() > kPcodeTextBytes) {
            found.add(line.number, kFindTextTooLong);
        }
        if (record->text.find(kFieldSeparator) != std::string::npos) {
            found.add(line.number, kFindTextUnderscore);
        }
    });
    AddUnreadTail(tail, found);
    return findings;
}

}  // namespace vrk
