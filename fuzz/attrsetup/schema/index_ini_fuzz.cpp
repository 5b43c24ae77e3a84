// Reads arbitrary bytes as INDEX.INI, writes the features and reads them again: every feature
// must come back with its texts, and a second save must not change the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "index_ini_file.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto first = quorbel::parseIndexIni(input);
    const std::string once = quorbel::formatIndexIni(first);
    const auto second = quorbel::parseIndexIni(once);
    check(second.size() == first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        check(second[i].code == first[i].code);
        check(second[i].symbol == first[i].symbol);
        check(second[i].name == first[i].name);
        check(second[i].auxToken == first[i].auxToken);
        check(second[i].table == first[i].table);
    }
    check(quorbel::formatIndexIni(second) == once);
    return 0;
}
