// Reads arbitrary bytes as a module file: the section lookup must stay inside the bytes, and the
// version texts must come out as single-line keys and values.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cadhost/arx_entry.h"
#include "cadhost/version_resource.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto section = cadhost::findElfSection(file, CADHOST_VERSION_SECTION);
    const std::string_view text = section ? *section : file;
    if (section) {
        fuzzCheck(section->data() >= file.data());
        fuzzCheck(section->data() + section->size() <= file.data() + file.size());
    }
    for (const auto& [key, value] : cadhost::parseVersionText(text).entries) {
        fuzzCheck(!key.empty());
        fuzzCheck(key.find_first_of(std::string_view("=\n\0", 3)) == std::string::npos);
        fuzzCheck(value.find_first_of(std::string_view("\n\0", 2)) == std::string::npos);
    }
    return 0;
}
