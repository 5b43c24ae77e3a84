#include <windows.h>

#include <string>
#include <string_view>

#include "schema/file_format.h"
#include "schema/gbk_text.h"

// The Windows side of the two conversions, with the system's code page 936 where the POSIX build
// has iconv: one character at a time, so an invalid byte is replaced and skipped as there.
namespace quorbel {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool isLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// The UTF-16 of exactly these GBK bytes, empty when they are no character.
std::wstring decodeGbk(const char* bytes, int length) {
    wchar_t out[4];
    const int n = ::MultiByteToWideChar(file_format::kGbkCodePage, MB_ERR_INVALID_CHARS, bytes,
                                        length, out, 4);
    return n > 0 ? std::wstring(out, static_cast<std::size_t>(n)) : std::wstring();
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

std::string utf8ToGbk(std::string_view utf8) {
    std::string out;
    if (utf8.empty()) {
        return out;
    }
    const int size = static_cast<int>(utf8.size());
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const int unitCount =
            (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size()) ? 2 : 1;
        char bytes[8];
        BOOL defaulted = FALSE;
        const int n =
            ::WideCharToMultiByte(file_format::kGbkCodePage, WC_NO_BEST_FIT_CHARS, &wide[i],
                                  unitCount, bytes, sizeof bytes, nullptr, &defaulted);
        if (n <= 0 || defaulted) {
            out += '?';
        } else {
            out.append(bytes, static_cast<std::size_t>(n));
        }
        i += static_cast<std::size_t>(unitCount - 1);
    }
    return out;
}

std::string gbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        if (isLead(byte) && i + 1 < gbk.size()) {
            if (const std::wstring pair = decodeGbk(gbk.data() + i, 2); !pair.empty()) {
                out += toUtf8(pair);
                i += 2;
                continue;
            }
        }
        if (const std::wstring single = decodeGbk(gbk.data() + i, 1); !single.empty()) {
            out += toUtf8(single);
        } else {
            out += kReplacementUtf8;
        }
        ++i;
    }
    return out;
}

}  // namespace quorbel
