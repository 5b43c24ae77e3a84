#include "schema/attribute_schema.h"

#include <algorithm>
#include <functional>
#include <iterator>

#include "schema/attribute_def_file.h"
#include "schema/content_hash.h"
#include "schema/file_format.h"
#include "schema/gbk_letter_case.h"
#include "schema/index_ini_file.h"
#include "schema/schema_findings.h"
#include "schema/schema_messages.h"

namespace quorbel {
namespace {

void applyDictionaryRule(std::vector<FieldDef>& fields) {
    for (FieldDef& field : fields) {
        if (field.type != 0) {
            field.dictionary.clear();
        }
    }
}

const std::vector<std::size_t>& noPositions() {
    static const std::vector<std::size_t> empty;
    return empty;
}

}  // namespace

AttributeSchema::AttributeSchema(HostServices& host) : AttributeSchema(host, localFileStore()) {}

AttributeSchema::AttributeSchema(HostServices& host, FileStore& files)
    : m_host(host), m_files(files) {}

bool AttributeSchema::loadSchema() {
    m_features.clear();
    m_notes.clear();
    rebuildFeatureIndexes();
    if (!readIndexIni()) {
        // attribute.def is not read; a later save must not overwrite it with whatever is in memory.
        m_defState = FileLoadState::Skipped;
        return false;
    }
    return readAttributeDef();
}

bool AttributeSchema::saveSchema() {
    const LocatedFile index = locate(file_format::kIndexIniName, messages::kIndexIniNotFound);
    if (!index.found) {
        return false;
    }
    const LocatedFile def = locate(file_format::kAttributeDefName, messages::kAttributeDefNotFound);
    if (!def.found) {
        return false;
    }
    if (!mayOverwrite(m_indexState, messages::kIndexIniUnreadable) ||
        !mayOverwrite(m_defState, messages::kAttributeDefUnreadable)) {
        return false;
    }
    const std::string_view indexBytes = indexIniBytes();
    const std::string defBytes = attributeDefBytes();
    const FileToWrite files[] = {
        {{index.path, indexBytes}, messages::kIndexIniReadOnly, messages::kIndexIniMayBeDamaged},
        {{def.path, defBytes},
         messages::kAttributeDefReadOnly,
         messages::kAttributeDefMayBeDamaged,
         messages::kOnlyIndexIniSaved}};
    if (!writeFiles(files)) {
        return false;
    }
    remember(m_indexVersion, index.path, indexBytes);
    remember(m_defVersion, def.path, defBytes);
    return true;
}

void AttributeSchema::clear() {
    m_tables.clear();
    m_tableNamesValid = false;
    m_features.clear();
    m_unreadTableText.clear();
    std::string().swap(m_indexBuffer);
    m_notes.clear();
    m_indexState = FileLoadState::NotLoaded;
    m_defState = FileLoadState::NotLoaded;
    m_indexVersion = {};
    m_defVersion = {};
    rebuildFeatureIndexes();
}

bool AttributeSchema::readIndexIni() {
    const LocatedFile file = locate(file_format::kIndexIniName, messages::kIndexIniNotFound);
    if (!file.found) {
        m_indexState = FileLoadState::NotFound;
        return false;
    }
    std::string bytes;
    if (!m_files.read(file.path, bytes)) {
        m_indexState = FileLoadState::Unreadable;
        return true;
    }
    remember(m_indexVersion, file.path, bytes);
    m_features = parseIndexIni(bytes, &m_notes);
    m_indexBuffer = std::move(bytes);
    m_indexState = FileLoadState::Loaded;
    rebuildFeatureIndexes();
    return true;
}

bool AttributeSchema::writeIndexIni() {
    const LocatedFile file = locate(file_format::kIndexIniName, messages::kIndexIniNotFound);
    if (!file.found || !mayOverwrite(m_indexState, messages::kIndexIniUnreadable)) {
        return false;
    }
    const std::string_view bytes = indexIniBytes();
    const FileToWrite files[] = {
        {{file.path, bytes}, messages::kIndexIniReadOnly, messages::kIndexIniMayBeDamaged}};
    if (!writeFiles(files)) {
        return false;
    }
    remember(m_indexVersion, file.path, bytes);
    return true;
}

bool AttributeSchema::readAttributeDef() {
    const LocatedFile file =
        locate(file_format::kAttributeDefName, messages::kAttributeFileNotFound);
    if (!file.found) {
        m_defState = FileLoadState::NotFound;
        return false;
    }
    std::string bytes;
    if (!m_files.read(file.path, bytes)) {
        m_defState = FileLoadState::Unreadable;
        return true;
    }
    remember(m_defVersion, file.path, bytes);
    AttributeDefContent content = parseAttributeDef(bytes, &m_notes);
    m_tables = std::move(content.tables);
    m_tableNamesValid = false;
    for (AttributeTable& table : m_tables) {
        applyDictionaryRule(table.fields);
    }
    m_unreadTableText = std::move(content.unreadText);
    if (content.incompleteLine != 0) {
        m_host.print(incompleteTableLineMessage(content.incompleteLine));
    }
    m_defState = FileLoadState::Loaded;
    return true;
}

bool AttributeSchema::writeAttributeDef() {
    const LocatedFile file =
        locate(file_format::kAttributeDefName, messages::kAttributeDefNotFound);
    if (!file.found || !mayOverwrite(m_defState, messages::kAttributeDefUnreadable)) {
        return false;
    }
    const std::string bytes = attributeDefBytes();
    const FileToWrite files[] = {
        {{file.path, bytes}, messages::kAttributeDefReadOnly, messages::kAttributeDefMayBeDamaged}};
    if (!writeFiles(files)) {
        return false;
    }
    remember(m_defVersion, file.path, bytes);
    return true;
}

std::optional<std::size_t> AttributeSchema::findTable(std::string_view name) const {
    // Rebuilt after any change of the table list: a check of 100,000 feature references then costs
    // one lookup each instead of a scan of the tables.
    if (!m_tableNamesValid) {
        m_tableByName.clear();
        m_tableByName.reserve(m_tables.size());
        for (std::size_t i = 0; i < m_tables.size(); ++i) {
            m_tableByName.try_emplace(m_tables[i].name, i);  // the first of a name wins
        }
        m_tableNamesValid = true;
    }
    const auto it = m_tableByName.find(name);
    if (it == m_tableByName.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::size_t AttributeSchema::insertTableAfter(std::optional<std::size_t> position,
                                              AttributeTable table) {
    applyDictionaryRule(table.fields);
    const std::size_t at =
        (position && *position < m_tables.size()) ? *position + 1 : m_tables.size();
    m_tables.insert(m_tables.begin() + static_cast<std::ptrdiff_t>(at), std::move(table));
    m_tableNamesValid = false;
    return at;
}

void AttributeSchema::removeTable(std::string_view name) {
    const auto position = findTable(name);
    if (!position) {
        return;
    }
    // The name is copied first: it lives in the table that is about to go.
    const std::string removed(name);
    m_tables.erase(m_tables.begin() + static_cast<std::ptrdiff_t>(*position));
    m_tableNamesValid = false;
    const auto it = tableIndex().find(removed);
    if (it != m_byTable.end()) {
        for (const std::size_t p : it->second) {
            m_features[p].table.clear();
        }
        // Kept up to date rather than rebuilt: the features now name no table at all.
        m_byTable.erase(it);
    }
}

void AttributeSchema::renameTable(std::size_t position, std::string_view newName) {
    if (position >= m_tables.size()) {
        return;
    }
    const std::string renamed(newName);
    auto& index = tableIndex();
    const auto it = index.find(m_tables[position].name);
    if (it != index.end() && m_tables[position].name != renamed) {
        std::vector<std::size_t> moved = std::move(it->second);
        index.erase(it);
        for (const std::size_t p : moved) {
            m_features[p].table = renamed;
        }
        // Features that named the new name already stay, in index order among the moved ones.
        std::vector<std::size_t>& target = index[renamed];
        if (target.empty()) {
            target = std::move(moved);
        } else {
            std::vector<std::size_t> merged;
            merged.reserve(target.size() + moved.size());
            std::merge(target.begin(), target.end(), moved.begin(), moved.end(),
                       std::back_inserter(merged));
            target = std::move(merged);
        }
    }
    m_tables[position].name = renamed;
    m_tableNamesValid = false;
}

void AttributeSchema::setKind(std::size_t position, int32_t kind) {
    if (position < m_tables.size()) {
        m_tables[position].kind = kind;
    }
}

void AttributeSchema::setDescription(std::size_t position, std::string_view description) {
    if (position < m_tables.size()) {
        m_tables[position].description = std::string(description);
    }
}

void AttributeSchema::replaceFields(std::size_t position, std::vector<FieldDef> fields) {
    if (position >= m_tables.size()) {
        return;
    }
    applyDictionaryRule(fields);
    m_tables[position].fields = std::move(fields);
}

void AttributeSchema::assignFeature(std::string_view code, std::string_view table) {
    const std::string assigned(table);
    for (const std::size_t p : featuresWithCode(code)) {
        m_features[p].table = assigned;
    }
    markTablesChanged();
}

void AttributeSchema::releaseFeature(std::string_view code) {
    for (const std::size_t p : featuresWithCode(code)) {
        m_features[p].table.clear();
    }
    markTablesChanged();
}

void AttributeSchema::putTable(std::size_t position, AttributeTable table) {
    if (position < m_tables.size()) {
        m_tables[position] = std::move(table);
        m_tableNamesValid = false;
    }
}

void AttributeSchema::insertTableAt(std::size_t position, AttributeTable table) {
    position = std::min(position, m_tables.size());
    m_tables.insert(m_tables.begin() + static_cast<std::ptrdiff_t>(position), std::move(table));
    m_tableNamesValid = false;
}

void AttributeSchema::removeTableAt(std::size_t position) {
    if (position < m_tables.size()) {
        m_tables.erase(m_tables.begin() + static_cast<std::ptrdiff_t>(position));
        m_tableNamesValid = false;
    }
}

void AttributeSchema::setFeatureTables(std::span<const std::size_t> positions,
                                       std::span<const std::string> tables) {
    for (std::size_t i = 0; i < positions.size() && i < tables.size(); ++i) {
        if (positions[i] < m_features.size()) {
            m_features[positions[i]].table = tables[i];
        }
    }
    markTablesChanged();
}

std::vector<std::size_t> AttributeSchema::featuresOfTable(std::string_view table) const {
    const auto& index = tableIndex();
    const auto it = index.find(std::string(table));
    return it == index.end() ? std::vector<std::size_t>{} : it->second;
}

const std::vector<std::size_t>& AttributeSchema::featuresWithCode(std::string_view code) const {
    buildCodeIndex();
    const auto it = m_byCode.find(std::string(code));
    return it == m_byCode.end() ? noPositions() : it->second;
}

const std::vector<std::size_t>& AttributeSchema::featuresWithPrefix(std::string_view prefix) const {
    if (prefix.empty()) {
        return noPositions();
    }
    buildPrefixIndex();
    const auto it =
        m_byPrefix.find(foldedAscii(prefix.substr(0, file_format::kCategoryPrefixLength)));
    return it == m_byPrefix.end() ? noPositions() : it->second;
}

void AttributeSchema::reset(std::vector<AttributeTable> tables,
                            std::vector<FeatureEntry> features) {
    m_tables = std::move(tables);
    m_tableNamesValid = false;
    for (AttributeTable& table : m_tables) {
        applyDictionaryRule(table.fields);
    }
    m_features = std::move(features);
    m_unreadTableText.clear();
    std::string().swap(m_indexBuffer);
    m_notes.clear();
    rebuildFeatureIndexes();
}

void AttributeSchema::reportLinesNotWrittenBack() {
    for (const LinesNotWrittenBack& lines : linesNotWrittenBack(m_notes)) {
        m_host.print(linesNotWrittenBackMessage(lines));
    }
}

std::vector<AttributeSchema::ChangedFile> AttributeSchema::changedOnDisk() {
    std::vector<ChangedFile> changed;
    const auto check = [this, &changed](const KnownVersion& version, std::string_view name) {
        FileStore::Stamp now;
        if (!version.known || !m_files.stamp(version.path, now)) {
            return;
        }
        bool same = now == version.stamp;
        if (same) {
            // A write within the file system's time resolution keeps size and time alike.
            std::string bytes;
            same = m_files.read(version.path, bytes) && contentHash(bytes) == version.hash;
        }
        if (!same) {
            changed.push_back({name, now.modifiedNs});
        }
    };
    check(m_indexVersion, file_format::kIndexIniDisplayName);
    check(m_defVersion, file_format::kAttributeDefName);
    return changed;
}

std::string AttributeSchema::indexIniFolder() {
    return folderOf(file_format::kIndexIniName);
}

std::vector<std::string> AttributeSchema::schemaFolders() {
    std::vector<std::string> folders;
    for (const std::string_view name :
         {file_format::kIndexIniName, file_format::kAttributeDefName}) {
        std::string folder = folderOf(name);
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

std::string AttributeSchema::folderOf(std::string_view fileName) {
    std::string path;
    if (m_host.findFile(fileName, path) != RTNORM) {
        return {};
    }
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

void AttributeSchema::remember(KnownVersion& version, const std::string& path,
                               std::string_view bytes) {
    version.path = path;
    version.hash = contentHash(bytes);
    version.known = m_files.stamp(path, version.stamp);
}

AttributeSchema::LocatedFile AttributeSchema::locate(std::string_view fileName,
                                                     std::string_view notFoundMessage) {
    LocatedFile file;
    file.found = m_host.findFile(fileName, file.path) == RTNORM;
    if (!file.found) {
        m_host.print(message(notFoundMessage));
    }
    return file;
}

bool AttributeSchema::mayOverwrite(FileLoadState state, std::string_view refusalMessage) {
    // A file that this session did not read would be replaced by whatever happens to be in memory.
    if (state == FileLoadState::Loaded || state == FileLoadState::NotLoaded) {
        return true;
    }
    m_host.print(message(refusalMessage));
    return false;
}

bool AttributeSchema::writeFiles(std::span<const FileToWrite> files) {
    // Every file is checked before any is written: a read-only file must not leave the other one
    // rewritten alone.
    bool writable = true;
    std::vector<FileStore::Replacement> replacements;
    for (const FileToWrite& file : files) {
        if (!m_files.mayWrite(file.replacement.path)) {
            m_host.print(message(file.readOnlyMessage));
            writable = false;
        }
        replacements.push_back(file.replacement);
    }
    if (!writable) {
        return false;
    }
    const FileStore::ReplaceResult result = m_files.replace(replacements);
    if (result.written == files.size()) {
        return true;
    }
    const FileToWrite& failed = files[result.written];
    if (result.written != 0) {
        m_host.print(message(failed.othersWrittenMessage));
    } else if (!result.damaged) {
        m_host.print(message(messages::kSaveFailed));
    }
    if (result.damaged) {
        m_host.print(message(failed.damagedMessage));
    }
    return false;
}

std::string_view AttributeSchema::indexIniBytes() {
    formatIndexIni(m_features, m_indexBuffer);
    return m_indexBuffer;
}

std::string AttributeSchema::attributeDefBytes() const {
    return formatAttributeDef(m_tables, m_unreadTableText);
}

void AttributeSchema::rebuildFeatureIndexes() {
    // Built when first asked: attrcheck never asks, and 100,000 codes take a while to hash.
    m_byCode.clear();
    m_codeIndexValid = false;
    m_byPrefix.clear();
    m_prefixIndexValid = false;
    markTablesChanged();
}

void AttributeSchema::buildCodeIndex() const {
    // Apart from the prefix index: opening the dialog needs only the prefixes, and a node per
    // distinct code is most of the cost of an index of 100,000 codes.
    if (m_codeIndexValid) {
        return;
    }
    m_byCode.reserve(m_features.size());
    for (std::size_t p = 0; p < m_features.size(); ++p) {
        m_byCode[std::string(m_features[p].code)].push_back(p);
    }
    m_codeIndexValid = true;
}

void AttributeSchema::buildPrefixIndex() const {
    if (m_prefixIndexValid) {
        return;
    }
    // Runs of one prefix are common (files are kept sorted by code), so the last slot is tried
    // before the map.
    std::string lastPrefix;
    std::vector<std::size_t>* slot = nullptr;
    for (std::size_t p = 0; p < m_features.size(); ++p) {
        const std::string_view code = m_features[p].code;
        if (code.empty()) {
            continue;
        }
        std::string prefix = foldedAscii(code.substr(0, file_format::kCategoryPrefixLength));
        if (slot == nullptr || prefix != lastPrefix) {
            slot = &m_byPrefix[prefix];
            lastPrefix = std::move(prefix);
        }
        slot->push_back(p);
    }
    m_prefixIndexValid = true;
}

std::unordered_map<std::string, std::vector<std::size_t>>& AttributeSchema::tableIndex() const {
    // Rebuilt on demand: the editor assigns many codes in a row and then asks once.
    if (!m_tableIndexValid) {
        m_byTable.clear();
        for (std::size_t p = 0; p < m_features.size(); ++p) {
            if (!m_features[p].table.empty()) {
                m_byTable[std::string(m_features[p].table)].push_back(p);
            }
        }
        m_tableIndexValid = true;
    }
    return m_byTable;
}

}  // namespace quorbel
