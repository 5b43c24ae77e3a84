#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "schema/attribute_def_file.h"
#include "schema/index_ini_file.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string rewrite(const fs::path& path, std::string_view bytes) {
    if (path.extension() == ".def") {
        const auto content = parseAttributeDef(bytes);
        return formatAttributeDef(content.tables, content.unreadText);
    }
    return formatIndexIni(parseIndexIni(bytes));
}

// Whatever a file holds, the first save normalises it and every later save changes nothing.
TEST(FixtureRoundTrip, RewriteIsAFixedPointAfterOneSave) {
    std::size_t checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(SCHEMA_FIXTURE_DIR)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string once = rewrite(entry.path(), readFile(entry.path()));
        EXPECT_EQ(rewrite(entry.path(), once), once) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 4u);
}

}  // namespace
}  // namespace quorbel
