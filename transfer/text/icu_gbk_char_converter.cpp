#include <unicode/ucnv.h>

#include <string_view>

#include "text/gbk_char_converter.h"

namespace vrk {

struct GbkCharConverter::Engine {
    UConverter* converter = nullptr;
    ~Engine() {
        if (converter != nullptr) {
            ucnv_close(converter);
        }
    }
};

GbkCharConverter::GbkCharConverter() : engine_(std::make_unique<Engine>()) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("GBK", &status);
    if (U_FAILURE(status)) {
        return;
    }
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    engine_->converter = converter;
}

GbkCharConverter::~GbkCharConverter() = default;

bool GbkCharConverter::ready() const {
    return engine_->converter != nullptr;
}

char16_t GbkCharConverter::decodeExactly(const char* bytes, int length) const {
    UConverter* cnv = engine_->converter;
    UErrorCode status = U_ZERO_ERROR;
    UChar out[4];
    ucnv_reset(cnv);
    const int n = ucnv_toUChars(cnv, out, 4, bytes, length, &status);
    if (U_FAILURE(status) || n != 1) {
        return 0;
    }
    char back[8];
    status = U_ZERO_ERROR;
    ucnv_reset(cnv);
    const int m = ucnv_fromUChars(cnv, back, sizeof back, out, 1, &status);
    if (U_FAILURE(status) || m != length ||
        std::string_view(back, static_cast<std::size_t>(m)) !=
            std::string_view(bytes, static_cast<std::size_t>(length))) {
        return 0;
    }
    return static_cast<char16_t>(out[0]);
}

}  // namespace vrk
