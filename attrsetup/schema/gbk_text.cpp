#include "schema/gbk_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace quorbel {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One conversion with iconv. Each invalid or truncated input byte is replaced and skipped, so a
// conversion always finishes.
std::string convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return out;
    }
    out.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.append(replacement);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string utf8ToGbk(std::string_view utf8) {
    return convert("GBK", "UTF-8", utf8, "?");
}

std::string gbkToUtf8(std::string_view gbk) {
    return convert("UTF-8", "GBK", gbk, kReplacementUtf8);
}

}  // namespace quorbel
