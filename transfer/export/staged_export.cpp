#include "export/staged_export.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <filesystem>

#include "files/file_failure_reason.h"
#include "files/file_writer.h"

namespace vrk {

namespace {

// The files of a Shapefile set that a new set may lack; a stale one would describe the new
// .shp wrongly.
constexpr std::array<std::string_view, 5> kShapefileExtras = {".prj", ".cpg", ".qix", ".sbn",
                                                              ".sbx"};
constexpr std::string_view kShapefileEnding = ".shp";

std::atomic<unsigned> stagedCount{0};

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

StagedExport::StagedExport(std::string target, std::string_view extension)
    : target_(std::move(target)), extension_(extension) {
    targetStem_ = target_.substr(0, target_.size() - extension_.size());
    const std::size_t slash = targetStem_.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : targetStem_.substr(0, slash + 1);
    const std::string base = targetStem_.substr(folder.size());
    do {
        stagedStem_ = folder + "." + base + ".export-" + std::to_string(::getpid()) + "-" +
                      std::to_string(++stagedCount);
        stagedPath_ = stagedStem_ + extension_;
    } while (Exists(stagedPath_));
}

std::vector<std::string> StagedExport::StagedEndings() const {
    std::vector<std::string> endings;
    const std::filesystem::path staged(stagedStem_);
    const std::filesystem::path folder =
        staged.has_parent_path() ? staged.parent_path() : std::filesystem::path(".");
    const std::string prefix = staged.filename().string() + ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix)) {
            endings.push_back(name.substr(prefix.size() - 1));
        }
    }
    return endings;
}

bool StagedExport::MoveFinishedIntoPlace(std::string& failure) const {
    const std::vector<std::string> endings = StagedEndings();
    // Every file of the set is asked first, so a file that may not be replaced (one marked
    // read-only) leaves the whole earlier set as it was, not half of it.
    for (const std::string& ending : endings) {
        const std::string to = targetStem_ + ending;
        if (const FileResult writable = CheckWritable(to); !writable.ok()) {
            failure = to + "\n" + WriteFailureReason(writable, to);
            Discard();
            return false;
        }
    }
    // The main file goes last: until it is in place, the earlier one still opens. Each file is
    // renamed over the earlier one, or copied in where a rename would lose something of it (its
    // owner, group, mode, a second link, attributes): the writer's rules decide.
    for (int mainPass = 0; mainPass < 2; ++mainPass) {
        for (const std::string& ending : endings) {
            if ((ending == extension_) != (mainPass == 1)) {
                continue;
            }
            const std::string from = stagedStem_ + ending;
            const std::string to = targetStem_ + ending;
            if (const FileResult result = MoveIntoPlace(from, to); !result.ok()) {
                failure = to + "\n" + WriteFailureReason(result, to);
                Discard();
                return false;
            }
        }
    }
    if (extension_ == kShapefileEnding) {
        for (const std::string_view extra : kShapefileExtras) {
            if (std::find(endings.begin(), endings.end(), extra) == endings.end()) {
                std::remove((targetStem_ + std::string(extra)).c_str());
            }
        }
    }
    return true;
}

void StagedExport::Discard() const {
    for (const std::string& ending : StagedEndings()) {
        std::remove((stagedStem_ + ending).c_str());
    }
}

}  // namespace vrk
