// Reads arbitrary bytes as attribute.def, writes the tables and reads them again: the second
// reading must keep every table and field, and a second save must not change the bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "schema/attribute_def_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto first = quorbel::parseAttributeDef(input);
    const std::string once = quorbel::formatAttributeDef(first.tables, first.unreadText);
    const auto second = quorbel::parseAttributeDef(once);
    fuzzCheck(second.tables.size() == first.tables.size());
    fuzzCheck(second.unreadText.size() >= first.unreadText.size());
    for (std::size_t i = 0; i < first.tables.size(); ++i) {
        fuzzCheck(second.tables[i].name == first.tables[i].name);
        fuzzCheck(second.tables[i].kind == first.tables[i].kind);
        fuzzCheck(second.tables[i].fields == first.tables[i].fields);
    }
    fuzzCheck(quorbel::formatAttributeDef(second.tables, second.unreadText) == once);
    return 0;
}
