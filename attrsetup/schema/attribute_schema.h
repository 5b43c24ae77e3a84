#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "schema/file_store.h"
#include "schema/host_services.h"
#include "schema/read_notes.h"
#include "schema/schema_records.h"

namespace quorbel {

// What a load made of one of the two files; saving refuses to overwrite a file that this session
// found but could not read, or did not read because loading stopped before it.
enum class FileLoadState { NotLoaded, Loaded, NotFound, Unreadable, Skipped };

// The attribute tables and the feature index that the editor works on. Names and codes compare
// byte for byte, case-sensitively. Positions are zero-based indices into tables() or features().
//
// For large indexes (100,000 features) the schema keeps lookups from a feature code, from a table
// name and from a category prefix to feature positions, so the editor never needs a scan inside a
// scan: featuresWithCode, featuresOfTable and candidateFeatures (candidate_features.h) answer from
// them.
class AttributeSchema {
  public:
    explicit AttributeSchema(HostServices& host);
    AttributeSchema(HostServices& host, FileStore& files);

    AttributeSchema(const AttributeSchema&) = delete;
    AttributeSchema& operator=(const AttributeSchema&) = delete;

    // INDEX.INI, then attribute.def; messages go to the host's command line.
    bool loadSchema();
    // Locates both files and checks that this user may write them before writing either, then
    // replaces both.
    bool saveSchema();
    void clear();

    // The single steps of loading and saving.
    bool readIndexIni();
    bool writeIndexIni();
    bool readAttributeDef();
    bool writeAttributeDef();

    std::optional<std::size_t> findTable(std::string_view name) const;
    // After the given position, or at the end when there is none or it is out of range.
    std::size_t insertTableAfter(std::optional<std::size_t> position, AttributeTable table);
    void removeTable(std::string_view name);
    void renameTable(std::size_t position, std::string_view newName);
    void setKind(std::size_t position, int32_t kind);
    void setDescription(std::size_t position, std::string_view description);
    void replaceFields(std::size_t position, std::vector<FieldDef> fields);
    void assignFeature(std::string_view code, std::string_view table);
    void releaseFeature(std::string_view code);

    // Putting back what an earlier step changed, byte for byte (the editor's undo). Features
    // keep their positions for the whole session, so a step remembers them by position.
    void putTable(std::size_t position, AttributeTable table);
    void insertTableAt(std::size_t position, AttributeTable table);
    void removeTableAt(std::size_t position);
    void setFeatureTables(std::span<const std::size_t> positions,
                          std::span<const std::string> tables);

    // Positions of the features whose table is the given name, in index order.
    std::vector<std::size_t> featuresOfTable(std::string_view table) const;
    // Positions of the features with exactly this code, in index order.
    const std::vector<std::size_t>& featuresWithCode(std::string_view code) const;
    // Positions of the features whose code begins with the two-byte prefix (ASCII letters folded).
    const std::vector<std::size_t>& featuresWithPrefix(std::string_view prefix) const;

    const std::vector<AttributeTable>& tables() const { return m_tables; }
    const std::vector<FeatureEntry>& features() const { return m_features; }

    // Replaces the whole content without files (tests, tools); the dictionary rule applies.
    void reset(std::vector<AttributeTable> tables, std::vector<FeatureEntry> features);

    // A file that changed on disk since this session read or last wrote it: another program or
    // administrator wrote it meanwhile.
    struct ChangedFile {
        std::string_view name;        // "INDEX.INI" or "attribute.def"
        std::int64_t modifiedNs = 0;  // its modification time now
    };
    // Compares each file with what was read or written (size, modification time, hash of the
    // bytes). Files this session did not read, and files that cannot be examined, are not listed.
    std::vector<ChangedFile> changedOnDisk();
    // The folder that holds INDEX.INI on the search path, found without a message; empty when
    // there is none.
    std::string indexIniFolder();
    // The folders that hold INDEX.INI and attribute.def, INDEX.INI's first, each once: the search
    // path may find the two files in different folders.
    std::vector<std::string> schemaFolders();

    // What the last load noticed, and what it made of each file.
    const ReadNotes& readNotes() const { return m_notes; }
    FileLoadState indexLoadState() const { return m_indexState; }
    FileLoadState attributeDefLoadState() const { return m_defState; }
    // Prints on the command line, one message per kind, which lines of the files the last load
    // skipped or changed and the next save will therefore not write back as they were.
    void reportLinesNotWrittenBack();
    // Lines of attribute.def from an incomplete table line to the end line, kept verbatim and
    // written back after the last table.
    const std::string& unreadTableText() const { return m_unreadTableText; }

  private:
    struct LocatedFile {
        bool found = false;
        std::string path;
    };

    struct FileToWrite {
        FileStore::Replacement replacement;
        std::string_view readOnlyMessage;
        // When writing this file failed and restoring its old bytes failed too.
        std::string_view damagedMessage;
        // When writing this file failed after the files before it were written; a file listed
        // after another must have one.
        std::string_view othersWrittenMessage = {};
    };

    // Which version of a file this session knows: the one it read or last wrote.
    struct KnownVersion {
        bool known = false;
        std::string path;
        FileStore::Stamp stamp;
        std::uint64_t hash = 0;
    };

    LocatedFile locate(std::string_view fileName, std::string_view notFoundMessage);
    std::string folderOf(std::string_view fileName);
    void remember(KnownVersion& version, const std::string& path, std::string_view bytes);
    bool writeFiles(std::span<const FileToWrite> files);
    bool mayOverwrite(FileLoadState state, std::string_view refusalMessage);
    // INDEX.INI's bytes, formatted into m_indexBuffer.
    std::string_view indexIniBytes();
    std::string attributeDefBytes() const;
    void rebuildFeatureIndexes();
    void buildCodeIndex() const;
    void buildPrefixIndex() const;
    void markTablesChanged() const { m_tableIndexValid = false; }
    std::unordered_map<std::string, std::vector<std::size_t>>& tableIndex() const;

    HostServices& m_host;
    FileStore& m_files;
    std::vector<AttributeTable> m_tables;
    std::vector<FeatureEntry> m_features;
    std::string m_unreadTableText;
    // The room INDEX.INI was read into, kept to write it back into: at 100,000 features a fresh
    // buffer of megabytes costs more to fault in than to fill.
    std::string m_indexBuffer;
    ReadNotes m_notes;
    FileLoadState m_indexState = FileLoadState::NotLoaded;
    FileLoadState m_defState = FileLoadState::NotLoaded;
    KnownVersion m_indexVersion;
    KnownVersion m_defVersion;

    mutable std::unordered_map<std::string, std::vector<std::size_t>> m_byCode;
    mutable bool m_codeIndexValid = false;
    mutable std::unordered_map<std::string, std::vector<std::size_t>> m_byPrefix;
    mutable bool m_prefixIndexValid = false;
    mutable std::unordered_map<std::string, std::vector<std::size_t>> m_byTable;
    mutable bool m_tableIndexValid = false;
    // Looked up with the string_view it is asked for, without making a string of it.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    mutable std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> m_tableByName;
    mutable bool m_tableNamesValid = false;
};

}  // namespace quorbel
