// Any bytes through the delimited reader, unbounded and with a small bound on the text it makes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/delimited_reader.h"
#include "import_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::size_t bound : {static_cast<std::size_t>(-1), std::size_t{200}}) {
        CheckImport(vrk::ReadDelimited(bytes, {}, bound), bound);
    }
    return 0;
}
