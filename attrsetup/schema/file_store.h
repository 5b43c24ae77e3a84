#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorbel {

// Reading and replacing whole files: the one place where the schema touches a file system, so tests
// can inject failures and the core stays free of operating-system calls.
class FileStore {
  public:
    struct Replacement {
        std::string path;
        std::string_view bytes;
    };

    // What tells one version of a file from another without reading it.
    struct Stamp {
        std::uint64_t size = 0;
        std::int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch

        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    virtual ~FileStore();

    // Size and modification time; false when the file cannot be examined. A store that cannot
    // tell answers false, and the schema then never reports a file as changed by others.
    virtual bool stamp(const std::string& path, Stamp& stamp);

    // Reads the whole file; false when it cannot be opened or read.
    virtual bool read(const std::string& path, std::string& bytes) = 0;

    // Whether this user may write the file itself; a folder that takes no new files does not count.
    virtual bool mayWrite(const std::string& path) = 0;

    struct ReplaceResult {
        // How many files from the first hold their new bytes: files.size() on success.
        std::size_t written = 0;
        // Whether the file after those may be damaged: its new bytes could not all be written and
        // its old bytes could not be put back either. When false, that file and every later one
        // hold their old bytes.
        bool damaged = false;
    };

    // Gives every listed file its new bytes, in list order. Everything that can fail for lack of
    // room or rights is done for all files before the first one changes; a file whose write fails
    // after that gets its old bytes back where possible, and the answer says when that failed. A
    // file keeps its permissions, owner, group, hard links and extended attributes, and a symbolic
    // link stays a link. A file this user may not write is never replaced, whether or not mayWrite
    // was asked.
    virtual ReplaceResult replace(std::span<const Replacement> files) = 0;
};

// The file store of the local file system.
FileStore& localFileStore();

}  // namespace quorbel
