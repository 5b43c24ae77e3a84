#include "schema/schema_findings.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "schema/feature_category.h"
#include "schema/field_catalogue.h"
#include "schema/file_format.h"
#include "schema/gbk_letter_case.h"
#include "schema/gbk_text.h"

namespace quorbel {
namespace {

// Long lists of codes are cut in the report; the count says how many there are.
constexpr std::size_t kCodesShown = 8;

std::string u(std::string_view gbk) {
    return gbkToUtf8(gbk);
}

std::string_view fileName(SchemaFile file) {
    return file == SchemaFile::IndexIni ? "INDEX.INI" : "attribute.def";
}

std::string_view noteText(ReadNoteKind kind) {
    switch (kind) {
        case ReadNoteKind::LineSkipped:
            return "既不是表行也不是字段行(逗号不足),已跳过";
        case ReadNoteKind::FieldBeforeTable:
            return "字段行出现在第一个表行之前,已跳过";
        case ReadNoteKind::TableLineIncomplete:
            return "表行少于两个逗号,其后内容未读入,保存时原样保留";
        case ReadNoteKind::TableLineExtraCommas:
            return "表行多于三个逗号,第二个逗号之后全部作为说明";
        case ReadNoteKind::DictionaryDropped:
            return "非字符串类型的字段带有字典,字典已去掉";
        case ReadNoteKind::TokenCut:
            return "值中含有空格,空格之后的文字被截去";
        case ReadNoteKind::IgnoredAfterEnd:
            return "结束行之后还有内容,已忽略";
        case ReadNoteKind::ParamNotNumber:
            return "参数不是数字,按0读入";
    }
    return "";
}

std::string lineNote(const ReadNote& note) {
    if (note.file == SchemaFile::IndexIni && note.kind == ReadNoteKind::LineSkipped) {
        return "INDEX.INI 第" + std::to_string(note.line) + "行: 不是地物行(逗号少于四个),已跳过";
    }
    if (note.kind == ReadNoteKind::IgnoredAfterEnd) {
        return std::string(fileName(note.file)) + " 第" + std::to_string(note.line) +
               "行起: " + std::string(noteText(note.kind));
    }
    return std::string(fileName(note.file)) + " 第" + std::to_string(note.line) +
           "行: " + std::string(noteText(note.kind));
}

void checkCapacity(std::vector<std::string>& out, std::string_view what, std::string_view value,
                   std::size_t capacity) {
    if (value.size() > capacity) {
        out.push_back(std::string(what) + " 长" + std::to_string(value.size()) + "字节,超过容量" +
                      std::to_string(capacity) + "字节: " + u(value));
    }
}

std::string codeList(const std::vector<std::string>& codes) {
    std::string text;
    for (std::size_t i = 0; i < codes.size() && i < kCodesShown; ++i) {
        text += (i == 0 ? "" : ", ") + u(codes[i]);
    }
    if (codes.size() > kCodesShown) {
        text += " ...";
    }
    return text;
}

// What the features say of the tables, gathered in one walk over 100,000 features.
struct TableReferences {
    std::vector<bool> used;  // by table position; a repeated name counts for its first table
    std::map<std::string, std::vector<std::string>> missing;  // table name -> codes
};

TableReferences tableReferences(const AttributeSchema& schema) {
    TableReferences references;
    references.used.assign(schema.tables().size(), false);
    // Features of one table usually stand together, so the last answer is tried first.
    std::string_view lastName;
    std::optional<std::size_t> lastTable;
    for (const FeatureEntry& f : schema.features()) {
        if (f.table.empty()) {
            continue;
        }
        if (lastName.data() == nullptr || f.table != lastName) {
            lastName = f.table;
            lastTable = schema.findTable(f.table);
        }
        if (lastTable) {
            references.used[*lastTable] = true;
        } else {
            references.missing[std::string(f.table)].emplace_back(f.code);
        }
    }
    return references;
}

void tableFindings(const AttributeSchema& schema, const TableReferences& references,
                   std::vector<std::string>& out) {
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < schema.tables().size(); ++i) {
        const AttributeTable& t = schema.tables()[i];
        const std::string label = "表 " + u(t.name);
        if (t.name.empty()) {
            out.push_back("第" + std::to_string(i + 1) + "张表没有表名");
        }
        if (const auto [it, fresh] = seen.emplace(t.name, i); !fresh) {
            out.push_back("表名重复: " + u(t.name) + " (第" + std::to_string(it->second + 1) +
                          "张与第" + std::to_string(i + 1) + "张表),只有第一张能被找到");
        } else if (!references.used[i]) {
            out.push_back(label + " 没有地物使用");
        }
        checkCapacity(out, label + " 的表名", t.name, kTableNameCapacity);
        if (t.name.size() <= kTableNameCapacity && t.name.size() > kTableReferenceCapacity) {
            out.push_back(label + " 的表名长" + std::to_string(t.name.size()) +
                          "字节,超过地物引用的容量" + std::to_string(kTableReferenceCapacity) +
                          "字节");
        }
        if (!startsWithIgnoreAsciiCase(t.auxToken, "NULL")) {
            checkCapacity(out, label + " 的附加标记", t.auxToken, kAuxTokenCapacity);
        }
        checkCapacity(out, label + " 的说明", t.description, kTableDescriptionCapacity);
        for (const FieldDef& f : t.fields) {
            const std::string fieldLabel = label + " 字段 " + u(f.name);
            if (!hasFieldTypeName(f.type)) {
                out.push_back(fieldLabel + " 的类型代码" + std::to_string(f.type) +
                              "未知,在编辑器中保存该表时将变为0(字符串)");
            }
            checkCapacity(out, fieldLabel + " 的字段名", f.name, kFieldNameCapacity);
            checkCapacity(out, fieldLabel + " 的说明", f.description, kFieldDescriptionCapacity);
            checkCapacity(out, fieldLabel + " 的字典", f.dictionary, kDictionaryCapacity);
        }
    }
}

void featureFindings(const AttributeSchema& schema, const TableReferences& references,
                     std::vector<std::string>& out) {
    std::vector<std::string> uncategorised;
    // A code's category depends on its first two bytes only, and sorted codes share them in runs.
    std::string_view lastPrefix;
    bool lastHasCategory = false;
    for (const FeatureEntry& f : schema.features()) {
        const std::string_view prefix =
            std::string_view(f.code).substr(0, file_format::kCategoryPrefixLength);
        if (lastPrefix.data() == nullptr || prefix != lastPrefix) {
            lastPrefix = prefix;
            lastHasCategory = codeHasCategory(f.code);
        }
        if (!lastHasCategory) {
            uncategorised.emplace_back(f.code);
        }
        // The label is converted only for a feature with something to report: converting 100,000
        // codes would cost more than the whole check.
        if (f.code.size() > kFeatureCodeCapacity || f.symbol.size() > kSymbolCapacity ||
            f.name.size() > kFeatureNameCapacity || f.auxToken.size() > kAuxTokenCapacity ||
            f.table.size() > kTableReferenceCapacity) {
            const std::string label = "地物 " + u(f.code);
            checkCapacity(out, label + " 的编码", f.code, kFeatureCodeCapacity);
            checkCapacity(out, label + " 的符号", f.symbol, kSymbolCapacity);
            checkCapacity(out, label + " 的名称", f.name, kFeatureNameCapacity);
            checkCapacity(out, label + " 的附加标记", f.auxToken, kAuxTokenCapacity);
            checkCapacity(out, label + " 的表名", f.table, kTableReferenceCapacity);
        }
    }
    for (const auto& [table, codes] : references.missing) {
        out.push_back("表 " + u(table) + " 不存在,却有" + std::to_string(codes.size()) +
                      "个地物引用: " + codeList(codes));
    }
    if (!uncategorised.empty()) {
        out.push_back(std::to_string(uncategorised.size()) +
                      "个地物的编码不属于任何类别(编辑器中不会列出): " + codeList(uncategorised));
    }
}

bool isNotWrittenBack(const ReadNote& note) {
    switch (note.kind) {
        case ReadNoteKind::LineSkipped:
        case ReadNoteKind::FieldBeforeTable:
        case ReadNoteKind::IgnoredAfterEnd:
        case ReadNoteKind::TokenCut:
        case ReadNoteKind::DictionaryDropped:
        case ReadNoteKind::ParamNotNumber:
            return true;
        case ReadNoteKind::TableLineIncomplete:
        case ReadNoteKind::TableLineExtraCommas:
            return false;
    }
    return false;
}

}  // namespace

std::vector<LinesNotWrittenBack> linesNotWrittenBack(const ReadNotes& notes) {
    std::vector<LinesNotWrittenBack> groups;
    for (const SchemaFile file : {SchemaFile::IndexIni, SchemaFile::AttributeDef}) {
        const std::size_t first = groups.size();
        for (const ReadNote& note : notes) {
            if (note.file != file || !isNotWrittenBack(note)) {
                continue;
            }
            auto group =
                std::find_if(groups.begin() + static_cast<std::ptrdiff_t>(first), groups.end(),
                             [&note](const auto& g) { return g.kind == note.kind; });
            if (group == groups.end()) {
                groups.push_back({file, note.kind, {}});
                group = groups.end() - 1;
            }
            // A line with two cut values is one line.
            if (group->lines.empty() || group->lines.back() != note.line) {
                group->lines.push_back(note.line);
            }
        }
    }
    return groups;
}

std::vector<std::string> schemaFindings(const AttributeSchema& schema) {
    std::vector<std::string> out;
    for (const ReadNote& note : schema.readNotes()) {
        out.push_back(lineNote(note));
    }
    const TableReferences references = tableReferences(schema);
    tableFindings(schema, references, out);
    featureFindings(schema, references, out);
    return out;
}

}  // namespace quorbel
