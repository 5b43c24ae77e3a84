#include "schema/attribute_def_file.h"

#include "schema/file_format.h"
#include "schema/gbk_letter_case.h"
#include "schema/line_splitter.h"
#include "schema/value_scan.h"

namespace quorbel {
namespace {

using namespace file_format;

void noteInDef(ReadNotes* notes, std::size_t line, ReadNoteKind kind) {
    if (notes != nullptr) {
        notes->push_back({SchemaFile::AttributeDef, line, kind});
    }
}

bool auxTokenIsAbsent(std::string_view auxToken) {
    return startsWithIgnoreAsciiCase(auxToken, kAbsentAuxToken);
}

AttributeTable parseTableLine(std::string_view line, std::size_t commas) {
    AttributeTable table;
    table.name = std::string(readToken(line.substr(1)));
    table.kind = readInteger(afterComma(line, 1));
    if (commas == kTableCommasWithAux) {
        table.auxToken = std::string(readToken(afterComma(line, 2)));
        table.description = std::string(afterComma(line, 3));
    } else {
        // With more commas than an aux token needs, the extra ones belong to the description.
        table.auxToken = std::string(kAbsentAuxToken);
        table.description = std::string(afterComma(line, 2));
    }
    return table;
}

FieldDef parseFieldLine(std::string_view line, std::size_t lineNumber, ReadNotes* notes) {
    FieldDef field;
    field.name = std::string(readToken(line));
    field.type = readInteger(afterComma(line, 1));
    field.length = readInteger(afterComma(line, 2));
    field.decimals = readInteger(afterComma(line, 3));
    field.description = std::string(readToken(afterComma(line, 4)));
    if (tokenIsCut(line) || tokenIsCut(afterComma(line, 4))) {
        noteInDef(notes, lineNumber, ReadNoteKind::TokenCut);
    }
    if (countCommas(line) > kMinFieldCommas) {
        const std::string_view dictionary = readToken(afterComma(line, 5));
        if (field.type == 0) {
            field.dictionary = std::string(dictionary);
        } else if (!dictionary.empty()) {
            noteInDef(notes, lineNumber, ReadNoteKind::DictionaryDropped);
        }
    }
    return field;
}

}  // namespace

AttributeDefContent parseAttributeDef(std::string_view bytes, ReadNotes* notes) {
    AttributeDefContent content;
    AttributeTable* current = nullptr;
    LineSplitter lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        if (startsWithIgnoreAsciiCase(line, kAttributeDefEnd)) {
            std::string_view rest;
            if (lines.next(rest)) {
                noteInDef(notes, lines.lineNumber(), ReadNoteKind::IgnoredAfterEnd);
            }
            break;
        }
        if (!line.empty() && line.front() == kTableMark) {
            const std::size_t commas = countCommas(line);
            if (commas < kMinTableCommas) {
                // Reading stops here as other readers of the file do, but the rest is kept so a
                // save cannot drop the tables behind this line.
                content.incompleteLine = lines.lineNumber();
                noteInDef(notes, lines.lineNumber(), ReadNoteKind::TableLineIncomplete);
                const std::size_t start = lines.lineStart();
                std::size_t end = bytes.size();
                std::string_view rest;
                while (lines.next(rest)) {
                    if (startsWithIgnoreAsciiCase(rest, kAttributeDefEnd)) {
                        end = lines.lineStart();
                        break;
                    }
                }
                content.unreadText = std::string(bytes.substr(start, end - start));
                break;
            }
            if (commas > kTableCommasWithAux) {
                noteInDef(notes, lines.lineNumber(), ReadNoteKind::TableLineExtraCommas);
            }
            if (tokenIsCut(line.substr(1)) ||
                (commas == kTableCommasWithAux && tokenIsCut(afterComma(line, 2)))) {
                noteInDef(notes, lines.lineNumber(), ReadNoteKind::TokenCut);
            }
            content.tables.push_back(parseTableLine(line, commas));
            current = &content.tables.back();
            continue;
        }
        if (countCommas(line) >= kMinFieldCommas) {
            if (current == nullptr) {
                noteInDef(notes, lines.lineNumber(), ReadNoteKind::FieldBeforeTable);
                continue;
            }
            current->fields.push_back(parseFieldLine(line, lines.lineNumber(), notes));
            continue;
        }
        if (!isBlank(line)) {
            noteInDef(notes, lines.lineNumber(), ReadNoteKind::LineSkipped);
        }
    }
    return content;
}

std::string formatAttributeDef(const std::vector<AttributeTable>& tables,
                               std::string_view unreadText) {
    std::string out;
    for (const AttributeTable& table : tables) {
        out += kTableMark;
        out += table.name;
        out += ',';
        out += std::to_string(table.kind);
        out += ',';
        if (!auxTokenIsAbsent(table.auxToken)) {
            out += table.auxToken;
            out += ',';
        }
        out += table.description;
        out += kLineEnd;
        for (const FieldDef& field : table.fields) {
            out += kFieldIndent;
            out += field.name;
            for (const int32_t number : {field.type, field.length, field.decimals}) {
                out += ',';
                out += std::to_string(number);
            }
            out += ',';
            out += field.description;
            if (!field.dictionary.empty()) {
                out += ',';
                out += field.dictionary;
            }
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    if (!unreadText.empty()) {
        out += unreadText;
        if (unreadText.back() != '\n') {
            out += kLineEnd;
        }
    }
    out += kAttributeDefEnd;
    out += kLineEnd;
    return out;
}

}  // namespace quorbel
