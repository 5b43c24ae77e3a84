#include "text/gbk_text_codec.h"

#include "text/gbk_tables.h"
#include "text/text_stand_ins.h"

namespace vrk {

namespace {

// Decodes the character that starts at `i`, appends it and answers the bytes it used.
std::size_t DecodeAt(const GbkTables& gbk, std::string_view bytes, std::size_t i,
                     std::u16string* out) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    const auto put = [out](char16_t c) {
        if (out != nullptr) {
            out->push_back(c);
        }
    };
    if (b == kCrByte && i + 1 < bytes.size() &&
        static_cast<std::uint8_t>(bytes[i + 1]) == kLfByte) {
        put(u'\n');
        return 2;
    }
    if (b < 0x20 && b != kTabByte) {
        put(static_cast<char16_t>(kControlPictureBase + b));
        return 1;
    }
    if (b == kDelByte) {
        put(kDeletePicture);
        return 1;
    }
    if (b < 0x80) {
        put(static_cast<char16_t>(b));
        return 1;
    }
    if (i + 1 < bytes.size()) {
        const unsigned pair = b * 256u + static_cast<std::uint8_t>(bytes[i + 1]);
        if (gbk.decode[pair] != GbkTables::kNone) {
            put(gbk.decode[pair]);
            return 2;
        }
    }
    const char16_t single = gbk.decode[b];
    put(single != GbkTables::kNone ? single : static_cast<char16_t>(kInvalidByteBase + b));
    return 1;
}

}  // namespace

std::u16string DecodeForView(std::string_view bytes) {
    const GbkTables& gbk = Gbk();
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        i += DecodeAt(gbk, bytes, i, &out);
    }
    return out;
}

std::size_t ViewPositionOf(std::string_view bytes, std::size_t byteCount) {
    const GbkTables& gbk = Gbk();
    std::size_t units = 0;
    for (std::size_t i = 0; i < bytes.size() && i < byteCount; ++units) {
        i += DecodeAt(gbk, bytes, i, nullptr);
    }
    return units;
}

EncodeResult EncodeViewText(std::u16string_view text) {
    const GbkTables& gbk = Gbk();
    EncodeResult result;
    result.bytes.reserve(text.size() + text.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n') {
            result.bytes += "\r\n";
        } else if (c < 0x80) {
            // Controls pasted as such are kept as the bytes they are.
            result.bytes += static_cast<char>(c);
        } else if (c >= kControlPictureBase && c < kControlPictureBase + 0x20) {
            result.bytes += static_cast<char>(c - kControlPictureBase);
        } else if (c == kDeletePicture) {
            result.bytes += static_cast<char>(kDelByte);
        } else if (c >= kInvalidByteBase + 0x80 && c <= kInvalidByteBase + 0xFF) {
            result.bytes += static_cast<char>(c - kInvalidByteBase);
        } else if (gbk.encode[c] != 0) {
            const std::uint16_t code = gbk.encode[c];
            if (gbk.encodeIsPair[c]) {
                result.bytes += static_cast<char>(code >> 8);
            }
            result.bytes += static_cast<char>(code & 0xFF);
        } else {
            // Callers that only read the text (uploads, conversions) get a placeholder; saving
            // refuses instead, so no file is ever written with it.
            result.bytes += '?';
            if (!result.unencodable) {
                result.unencodable = i;
            }
        }
    }
    return result;
}

}  // namespace vrk
