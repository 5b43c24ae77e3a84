#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "export/export_run.h"
#include "survey/delf_point_list.h"

namespace vrk::testing {

// Three points with Chinese names and codes (GBK, as the view holds them), a line that is not a
// point, and a blank height: CGCS2000 3° CM 114E coordinates.
inline const std::string kSurvey =
    "\xB5\xE3"
    "1,\xB7\xBF\xCE\xDD,512345.678,3456789.012,12.5\r\n"  // 点1,房屋
    "P2,\xB5\xC0\xC2\xB7, 512355.10 ,3456799.2,13\r\n"    // P2,道路
    "not a point\r\n"
    "P3,,512360,3456800,\r\n";

class NoCancel final : public ExportProgress {
  public:
    bool Continue(std::size_t, std::size_t) override { return true; }
};

// A folder of its own for each test, removed afterwards.
class ExportFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("VRK410_EXPORT_MODULE", EXPORT_MODULE, 1);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  (std::string("vrk_export_") + info->name() + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    ExportOutcome Export(ExportFormat format, int epsg, const std::string& name,
                         const std::string& survey = kSurvey, bool gbk = false) {
        NoCancel progress;
        return RunExport(survey, ReadDelfPoints(survey), {format, epsg, gbk, PathOf(name)},
                         progress);
    }

    std::size_t FilesInFolder() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) {
            ++count;
        }
        return count;
    }

    std::filesystem::path folder_;
};

inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vrk::testing
