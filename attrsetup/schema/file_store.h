#pragma once

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

    virtual ~FileStore();

    // Reads the whole file; false when it cannot be opened or read.
    virtual bool read(const std::string& path, std::string& bytes) = 0;

    // Replaces every listed file with its new bytes. All new contents are written beside their
    // files first; only when every one is complete are they moved into place, so a failure leaves
    // each old file whole. Permissions are kept and a symbolic link stays a link.
    virtual bool replace(std::span<const Replacement> files) = 0;
};

// The file store of the local file system.
FileStore& localFileStore();

}  // namespace quorbel
