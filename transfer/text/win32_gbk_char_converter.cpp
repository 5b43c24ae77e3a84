#include <windows.h>

#include <string_view>

#include "text/gbk_char_converter.h"

namespace vrk {

namespace {

constexpr UINT kCodePage936 = 936;

}  // namespace

struct GbkCharConverter::Engine {};

GbkCharConverter::GbkCharConverter() : engine_(std::make_unique<Engine>()) {}

GbkCharConverter::~GbkCharConverter() = default;

bool GbkCharConverter::ready() const {
    return ::IsValidCodePage(kCodePage936) != FALSE;
}

char16_t GbkCharConverter::decodeExactly(const char* bytes, int length) const {
    wchar_t out[4];
    const int n = ::MultiByteToWideChar(kCodePage936, MB_ERR_INVALID_CHARS, bytes, length, out, 4);
    if (n != 1) {
        return 0;
    }
    char back[8];
    BOOL defaulted = FALSE;
    const int m = ::WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, out, 1, back,
                                        sizeof back, nullptr, &defaulted);
    if (defaulted || m != length ||
        std::string_view(back, static_cast<std::size_t>(m)) !=
            std::string_view(bytes, static_cast<std::size_t>(length))) {
        return 0;
    }
    return static_cast<char16_t>(out[0]);
}

}  // namespace vrk
