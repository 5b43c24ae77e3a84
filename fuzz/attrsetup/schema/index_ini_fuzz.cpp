// Reads arbitrary bytes as INDEX.INI, writes the features and reads them again: every feature
// must come back with its texts, and a second save must not change the bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "schema/index_ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto first = quorbel::parseIndexIni(input);
    const std::string once = quorbel::formatIndexIni(first);
    const auto second = quorbel::parseIndexIni(once);
    fuzzCheck(second.size() == first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        fuzzCheck(second[i].code == first[i].code);
        fuzzCheck(second[i].symbol == first[i].symbol);
        fuzzCheck(second[i].name == first[i].name);
        fuzzCheck(second[i].auxToken == first[i].auxToken);
        fuzzCheck(second[i].table == first[i].table);
    }
    fuzzCheck(quorbel::formatIndexIni(second) == once);
    return 0;
}
