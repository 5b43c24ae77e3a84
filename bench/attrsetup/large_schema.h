// The large schema of the benchmarks: 1,000 tables of 8 fields and 100,000 features, written as
// raw text with the irregularities of hand-kept files (NULL tokens, LF line ends, dictionaries on
// numeric fields, params with more than four decimals), so a rewrite has real work to do.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorbel::bench {

inline constexpr int kLargeTables = 1'000;
inline constexpr int kLargeFieldsPerTable = 8;
inline constexpr int kLargeFeatures = 100'000;
// Table 0 is used by every tenth feature.
inline constexpr int kFeaturesOfFirstTable = kLargeFeatures / 10;

inline std::string largeTableName(int table) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", table);
    return std::string("\xB1\xED") + digits;  // 表0000
}

inline std::string largeAttributeDef() {
    std::string text;
    text.reserve(static_cast<std::size_t>(kLargeTables) * 300);
    for (int t = 0; t < kLargeTables; ++t) {
        const std::string n = std::to_string(t);
        text += "*" + largeTableName(t) + "," + std::to_string(t % 5) +
                (t % 3 == 0 ? ",NULL," : ",") + "\xCB\xB5\xC3\xF7 " + n + "\r\n";
        for (int f = 0; f < kLargeFieldsPerTable; ++f) {
            text += "  \xD7\xD6\xB6\xCE" + std::to_string(f) + "," + std::to_string(f % 4) + "," +
                    std::to_string(10 + f) + "," + std::to_string(f % 3) + ",\xCB\xB5\xC3\xF7" +
                    std::to_string(f) + (f % 4 == 0 || f == 7 ? ",TBL_LandUseCode" : "") +
                    (t % 7 == 0 ? "\n" : "\r\n");
        }
        text += "\r\n";
    }
    text += "[END]\r\n";
    return text;
}

inline std::string largeIndexIni() {
    static const char* const kPrefixes[] = {"13", "14", "15", "16", "17", "18",
                                            "19", "20", "21", "30", "31"};
    static const char* const kSymbols[] = {"gc", "xian", "text"};
    std::string text;
    text.reserve(static_cast<std::size_t>(kLargeFeatures) * 48);
    for (int i = 0; i < kLargeFeatures; ++i) {
        const std::string n = std::to_string(i);
        text += std::string(kPrefixes[i % 11]) + std::to_string(100000 + i) + "," +
                kSymbols[i % 3] + n + "," + std::to_string(i % 7) + ".125" + n.substr(0, 2) +
                ",\xB5\xD8\xCE\xEF" + n + ",0";
        if (i % 10 == 1) {
            text += "," + largeTableName(0);
        } else if (i % 4 != 0) {
            text += "," + largeTableName(i % kLargeTables);
        }
        text += i % 50 == 0 ? "\n" : "\r\n";
    }
    text += "END\r\n";
    return text;
}

inline void writeLargeSchema(const std::filesystem::path& dir) {
    std::ofstream(dir / "INDEX.INI", std::ios::binary | std::ios::trunc) << largeIndexIni();
    std::ofstream(dir / "attribute.def", std::ios::binary | std::ios::trunc) << largeAttributeDef();
}

}  // namespace quorbel::bench
