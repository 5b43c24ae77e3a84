#include "text/gbk_tables.h"

#include <memory>

#include "text/gbk_char_converter.h"
#include "text/text_stand_ins.h"

namespace vrk {

namespace {

// Characters the editor would change or swallow if a decoded character produced them.
bool EditorKeepsUnchanged(char16_t c) {
    switch (c) {
        case 0x00A0:  // becomes a space in the editor's plain text
        case 0x2028:
        case 0x2029:  // become line breaks
        case 0xFDD0:
        case 0xFDD1:  // frame markers of the text document
        case 0xFFFC:
        case 0xFEFF:
            return false;
        default:
            break;
    }
    if (c < 0x20 || c == kDelByte || IsStandIn(c)) {
        return false;
    }
    return c < 0xD800 || c > 0xDFFF;
}

// One character for exactly these bytes, or kNone.
char16_t DecodeOne(const GbkCharConverter& converter, const char* bytes, int length) {
    const char16_t c = converter.decodeExactly(bytes, length);
    return c != GbkTables::kNone && EditorKeepsUnchanged(c) ? c : GbkTables::kNone;
}

std::unique_ptr<GbkTables> Build() {
    auto tables = std::make_unique<GbkTables>();
    const GbkCharConverter converter;
    if (!converter.ready()) {
        return tables;  // ASCII still works; every other byte is kept as a stand-in
    }
    const auto record = [&tables](unsigned index, char16_t c, bool pair) {
        if (c == GbkTables::kNone || tables->encode[c] != 0) {
            return;
        }
        tables->decode[index] = c;
        tables->encode[c] = static_cast<std::uint16_t>(index);
        tables->encodeIsPair[c] = pair;
    };
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const char one = static_cast<char>(b);
        record(b, DecodeOne(converter, &one, 1), false);
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            record(lead * 256 + trail, DecodeOne(converter, two, 2), true);
        }
    }
    return tables;
}

}  // namespace

const GbkTables& Gbk() {
    static const std::unique_ptr<GbkTables> tables = Build();
    return *tables;
}

}  // namespace vrk
