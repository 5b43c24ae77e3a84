// Reads arbitrary bytes as attribute.def, writes the tables and reads them again: the second
// reading must keep every table and field, and a second save must not change the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "attribute_def_file.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto first = quorbel::parseAttributeDef(input);
    const std::string once = quorbel::formatAttributeDef(first.tables, first.unreadText);
    const auto second = quorbel::parseAttributeDef(once);
    check(second.tables.size() == first.tables.size());
    check(second.unreadText.size() >= first.unreadText.size());
    for (std::size_t i = 0; i < first.tables.size(); ++i) {
        check(second.tables[i].name == first.tables[i].name);
        check(second.tables[i].kind == first.tables[i].kind);
        check(second.tables[i].fields == first.tables[i].fields);
    }
    check(quorbel::formatAttributeDef(second.tables, second.unreadText) == once);
    return 0;
}
