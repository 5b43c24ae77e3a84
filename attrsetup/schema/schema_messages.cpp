#include "schema/schema_messages.h"

#include "schema/gbk_text.h"

namespace quorbel {

std::string message(std::string_view utf8Text) {
    return utf8ToGbk(utf8Text);
}

std::string incompleteTableLineMessage(std::size_t line) {
    std::string text(messages::kIncompleteTableLine);
    const std::size_t at = text.find("%zu");
    text.replace(at, 3, std::to_string(line));
    return utf8ToGbk(text);
}

namespace {

// More line numbers than this would make the command line unreadable; the count tells the rest.
constexpr std::size_t kLinesNamed = 5;

std::string_view templateFor(const LinesNotWrittenBack& lines) {
    const bool index = lines.file == SchemaFile::IndexIni;
    switch (lines.kind) {
        case ReadNoteKind::IgnoredAfterEnd:
            return index ? messages::kIndexIniAfterEnd : messages::kAttributeDefAfterEnd;
        case ReadNoteKind::FieldBeforeTable:
            return messages::kAttributeDefFieldsBeforeTable;
        case ReadNoteKind::TokenCut:
            return index ? messages::kIndexIniValuesCut : messages::kAttributeDefValuesCut;
        case ReadNoteKind::DictionaryDropped:
            return messages::kAttributeDefDictionariesDropped;
        case ReadNoteKind::ParamNotNumber:
            return messages::kIndexIniParamsNotNumbers;
        default:
            return index ? messages::kIndexIniNotFeatureLines : messages::kAttributeDefShortLines;
    }
}

std::string lineNumbers(const std::vector<std::size_t>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i) {
        text += (i == 0 ? "" : "、") + std::to_string(lines[i]);
    }
    return text;
}

void fillIn(std::string& text, std::string_view placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
    }
}

}  // namespace

std::string linesNotWrittenBackMessage(const LinesNotWrittenBack& lines) {
    std::string text(templateFor(lines));
    const bool fromFirstLine = lines.kind == ReadNoteKind::IgnoredAfterEnd;
    const std::size_t number =
        fromFirstLine ? (lines.lines.empty() ? 0 : lines.lines.front()) : lines.lines.size();
    fillIn(text, "%zu", std::to_string(number));
    std::string named = lineNumbers(lines.lines);
    if (lines.lines.size() > kLinesNamed) {
        named += "行等";
        fillIn(text, "%s行", named);
    } else {
        fillIn(text, "%s", named);
    }
    return utf8ToGbk(text);
}

}  // namespace quorbel
