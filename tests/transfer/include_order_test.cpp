#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folders of transfer/, lowest first. A file may include its own folder and any folder of a
// lower rank; folders of one rank never include each other. A new folder has to be placed here
// (and in the README's layout) before anything in it builds past this test.
const std::map<std::string, int> kRankOf = {
    {"text", 0},        // decimal reading, the GBK cut and view mapping
    {"files", 0},       // the one file reader and writer
    {"interfaces", 1},  // what the engines need of the program: text view, prompter, sleeper
    {"link", 2},        // settings rules, byte port, framing, records, download and upload
    {"transcript", 3},  // the transcript of a transfer and its diagnosis
    {"survey", 4},      // reading DELF and PCODE lists
    {"convert", 5},     // DELF and PCODE conversions
    {"import", 5},      // readers of other instruments' files and delimited text
    {"export", 5},      // CAD and GIS formats, through a module loaded when an export runs
    {"commands", 6},    // the unsaved-text question, upload preparation, conversion commands
    {"serial", 7},      // the real ports and COMn mapping
    {"shell", 8},       // the desktop program
    {"cli", 8},         // vrk410-cli
};

struct Finding {
    std::string where;  // file:line
    std::string what;
};

std::string Describe(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& finding : findings) {
        text += finding.where + ": " + finding.what + "\n";
    }
    return text;
}

std::optional<int> RankOf(const std::string& folder) {
    const auto it = kRankOf.find(folder);
    if (it == kRankOf.end()) {
        return std::nullopt;
    }
    return it->second;
}

// The quoted name of an `#include "…"` line (blanks allowed around '#'), nullopt for any other
// line. Read by hand: GCC 12 warns falsely inside std::regex under the sanitizers.
std::optional<std::string> QuotedInclude(const std::string& line) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + 1);
    constexpr std::string_view kWord = "include";
    if (at == std::string::npos || line.compare(at, kWord.size(), kWord) != 0) {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + kWord.size());
    if (at == std::string::npos || line[at] != '"') {
        return std::nullopt;
    }
    const std::size_t end = line.find('"', at + 1);
    if (end == std::string::npos || end == at + 1) {
        return std::nullopt;
    }
    return line.substr(at + 1, end - at - 1);
}

// Every quoted include of every source file under `root`, checked against the order.
std::vector<Finding> UpwardIncludes(const fs::path& root) {
    std::vector<Finding> findings;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), root);
        const std::string folder = relative.begin()->string();
        const std::string file = (root.filename() / relative).generic_string();
        const std::optional<int> rank = RankOf(folder);
        if (!rank) {
            findings.push_back({file, "folder " + folder + "/ has no place in the layer order"});
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        for (std::size_t number = 1; std::getline(in, line); ++number) {
            const std::optional<std::string> quoted = QuotedInclude(line);
            if (!quoted) {
                continue;
            }
            const std::string& included = *quoted;
            const std::string where = file + ":" + std::to_string(number);
            const std::size_t slash = included.find('/');
            if (slash == std::string::npos) {
                findings.push_back({where, "\"" + included + "\" does not name its folder"});
                continue;
            }
            const std::string target = included.substr(0, slash);
            if (target == folder) {
                continue;
            }
            const std::optional<int> targetRank = RankOf(target);
            if (!targetRank) {
                findings.push_back(
                    {where, "\"" + included + "\": no folder " + target + "/ in the layer order"});
            } else if (*targetRank >= *rank) {
                findings.push_back({where, folder + "/ includes \"" + included + "\" of " + target +
                                               "/, which is not below it"});
            }
        }
    }
    return findings;
}

TEST(IncludeOrder, NoFolderOfTransferIncludesOneAboveIt) {
    const std::vector<Finding> findings = UpwardIncludes(TRANSFER_DIR);
    EXPECT_TRUE(findings.empty()) << Describe(findings);
}

class ScratchTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("include-order-" + std::to_string(::getpid())) /
                "transfer";
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_.parent_path()); }
    void write(const std::string& file, const std::string& text) {
        fs::create_directories((root_ / file).parent_path());
        std::ofstream(root_ / file) << text;
    }
    fs::path root_;
};

TEST_F(ScratchTree, UpwardSidewaysAndUnplacedIncludesAreNamedWithFileAndLine) {
    write("link/download.cpp",
          "#include \"link/download.h\"\n#include \"text/gbk_cut.h\"\n"
          "\n#include \"commands/confirm_discard.h\"\n");
    write("shell/window.cpp", "#include <QWidget>\n  #  include \"cli/cli_texts.h\"\n");
    write("text/gbk_cut.cpp", "#include \"gbk_cut.h\"\n#include \"plotter/dxf.h\"\n");
    write("plotter/dxf.cpp", "#include \"text/gbk_cut.h\"\n");
    std::vector<Finding> findings = UpwardIncludes(root_);
    std::sort(findings.begin(), findings.end(),
              [](const Finding& a, const Finding& b) { return a.where < b.where; });
    ASSERT_EQ(findings.size(), 5u) << Describe(findings);
    EXPECT_EQ(findings[0].where, "transfer/link/download.cpp:4");
    EXPECT_NE(findings[0].what.find("\"commands/confirm_discard.h\""), std::string::npos);
    EXPECT_EQ(findings[1].where, "transfer/plotter/dxf.cpp");
    EXPECT_EQ(findings[2].where, "transfer/shell/window.cpp:2");
    EXPECT_EQ(findings[3].where, "transfer/text/gbk_cut.cpp:1");
    EXPECT_EQ(findings[4].where, "transfer/text/gbk_cut.cpp:2");
}

}  // namespace
