#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "schema/file_store.h"
#include "schema/gbk_text.h"
#include "schema/host_services.h"

namespace quorbel::testing {

// Test texts are written in UTF-8 and turned into the GBK bytes that the schema holds.
inline std::string gbk(std::string_view utf8) {
    return utf8ToGbk(utf8);
}

// A host whose search path is a map from bare names to paths, and whose command line is a list.
class FakeHost : public HostServices {
  public:
    std::map<std::string, std::string, std::less<>> files;
    std::vector<std::string> printed;
    std::vector<std::string> searched;

    int findFile(std::string_view name, std::string& fullPath) override {
        searched.emplace_back(name);
        const auto it = files.find(name);
        if (it == files.end()) {
            return -5001;
        }
        fullPath = it->second;
        return RTNORM;
    }
    void print(std::string_view gbkText) override { printed.emplace_back(gbkText); }
};

// Files in memory, with reads and replacements that can be made to fail.
class MemoryFileStore : public FileStore {
  public:
    std::map<std::string, std::string> contents;
    std::set<std::string> unreadable;
    std::set<std::string> readOnly;
    bool failReplace = false;
    // How many files a failing replacement writes before it fails.
    std::size_t writtenBeforeFailure = 0;
    // Whether the failing file is left half written.
    bool failureDamages = false;
    int replaceCalls = 0;

    bool read(const std::string& path, std::string& bytes) override {
        const auto it = contents.find(path);
        if (it == contents.end() || unreadable.count(path) != 0) {
            return false;
        }
        bytes = it->second;
        return true;
    }
    bool mayWrite(const std::string& path) override { return readOnly.count(path) == 0; }
    ReplaceResult replace(std::span<const Replacement> files) override {
        ++replaceCalls;
        const std::size_t count = failReplace ? writtenBeforeFailure : files.size();
        for (std::size_t i = 0; i < count; ++i) {
            contents[files[i].path] = std::string(files[i].bytes);
        }
        return {count, failReplace && failureDamages};
    }
};

}  // namespace quorbel::testing
