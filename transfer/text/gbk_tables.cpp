#include "text/gbk_tables.h"

#include <unicode/ucnv.h>

#include <memory>

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

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// One character for exactly these bytes, or kNone.
char16_t DecodeOne(UConverter* cnv, const char* bytes, int length) {
    UErrorCode status = U_ZERO_ERROR;
    UChar out[4];
    ucnv_reset(cnv);
    const int n = ucnv_toUChars(cnv, out, 4, bytes, length, &status);
    if (U_FAILURE(status) || n != 1) {
        return GbkTables::kNone;
    }
    char back[8];
    status = U_ZERO_ERROR;
    ucnv_reset(cnv);
    const int m = ucnv_fromUChars(cnv, back, sizeof back, out, 1, &status);
    if (U_FAILURE(status) || m != length ||
        std::string_view(back, static_cast<std::size_t>(m)) !=
            std::string_view(bytes, static_cast<std::size_t>(length))) {
        return GbkTables::kNone;
    }
    const auto c = static_cast<char16_t>(out[0]);
    return EditorKeepsUnchanged(c) ? c : GbkTables::kNone;
}

std::unique_ptr<GbkTables> Build() {
    auto tables = std::make_unique<GbkTables>();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> cnv(ucnv_open("GBK", &status));
    if (U_FAILURE(status)) {
        return tables;  // ASCII still works; every other byte is kept as a stand-in
    }
    ucnv_setToUCallBack(cnv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(cnv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
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
        record(b, DecodeOne(cnv.get(), &one, 1), false);
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            record(lead * 256 + trail, DecodeOne(cnv.get(), two, 2), true);
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
