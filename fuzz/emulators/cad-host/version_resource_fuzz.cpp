// Reads arbitrary bytes as a module file: the section lookup must stay inside the bytes, and the
// version texts must come out as single-line keys and values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cadhost/arx_entry.h"
#include "cadhost/version_resource.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto section = cadhost::findElfSection(file, CADHOST_VERSION_SECTION);
    const std::string_view text = section ? *section : file;
    if (section) {
        check(section->data() >= file.data());
        check(section->data() + section->size() <= file.data() + file.size());
    }
    for (const auto& [key, value] : cadhost::parseVersionText(text).entries) {
        check(!key.empty());
        check(key.find_first_of(std::string_view("=\n\0", 3)) == std::string::npos);
        check(value.find_first_of(std::string_view("\n\0", 2)) == std::string::npos);
    }
    return 0;
}
