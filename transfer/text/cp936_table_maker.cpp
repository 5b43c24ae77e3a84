// Run once at build time: asks ICU for every single byte 0x80–0xFF and every pair (lead 0x81–0xFE,
// trail 0x40–0xFE) of code page 936 and prints them as a C++ array for
// table_gbk_char_converter.cpp. The programs then carry the code page as data and need no ICU
// when they start, which would otherwise cost most of vrk410-cli's start-up.
#include <cstdio>

#include "text/gbk_char_converter.h"

int main(int argc, char** argv) {
    const vrk::GbkCharConverter converter;
    if (argc != 2 || !converter.ready()) {
        std::fputs("cp936_table_maker OUTPUT: needs the file to make, and ICU's GBK converter\n",
                   stderr);
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fputs("// Made by cp936_table_maker from ICU's code page 936; do not edit.\n", out);
    std::fputs("#include <cstdint>\n", out);
    std::fputs("namespace vrk {\n", out);
    std::fputs("// 0x80-0xFF, then lead 0x81-0xFE by trail 0x40-0xFE; 0 where nothing decodes.\n",
               out);
    std::fputs("extern const std::uint16_t kCp936Table[] = {\n", out);
    int onLine = 0;
    const auto print = [&onLine, out](char16_t c) {
        std::fprintf(out, "0x%04X,%s", static_cast<unsigned>(c), ++onLine % 12 == 0 ? "\n" : "");
    };
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const char one = static_cast<char>(b);
        print(converter.decodeExactly(&one, 1));
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            print(converter.decodeExactly(two, 2));
        }
    }
    std::fputs("};\n", out);
    std::fputs("}  // namespace vrk\n", out);
    const bool failed = std::ferror(out) != 0;
    return std::fclose(out) != 0 || failed ? 1 : 0;
}
