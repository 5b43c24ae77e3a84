#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrk {

// The writer creates its files under a hidden name beside the target, so that a failed or
// cancelled export leaves an earlier file of the target's name as it was; they take the target's
// name only once the writer has closed them whole.
class StagedExport {
  public:
    // `target` ends with `extension`, the format's ending, which GDAL's drivers need to see.
    StagedExport(std::string target, std::string_view extension);

    const std::string& target() const { return target_; }
    // The name the writer creates; a Shapefile's other files sit beside it under the same stem.
    const std::string& stagedPath() const { return stagedPath_; }

    // Every file the writer made, put in place under the target's stem and its own ending by the
    // program's file writer. A file of the target's set that the new set lacks (the .prj of an
    // earlier export in another system) is removed, so the set stays whole. False when a file
    // may not be replaced or its writing fails; `failure` names it and says why.
    bool MoveFinishedIntoPlace(std::string& failure) const;

    // Removes every file the writer made.
    void Discard() const;

  private:
    std::vector<std::string> StagedEndings() const;

    std::string target_;
    std::string targetStem_;
    std::string stagedStem_;
    std::string stagedPath_;
    std::string extension_;
};

}  // namespace vrk
