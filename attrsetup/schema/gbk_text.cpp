#include "schema/gbk_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <mutex>

namespace quorbel {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// A descriptor opened once per direction and shared under a lock: opening one looks the conversion
// up anew, which costs more than converting a name, and attrcheck converts thousands of names. Not
// thread_local: a thread's objects with destructors would keep the plug-in from being unloaded.
class Converter {
  public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (isOpen()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Each invalid or truncated input byte is replaced and skipped, so a conversion always
    // finishes.
    std::string convert(std::string_view input, std::string_view replacement) {
        const std::lock_guard lock(m_mutex);
        std::string out;
        if (!isOpen()) {
            return out;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.reserve(input.size() * 2);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                out.append(replacement);
                ++in;
                --inLeft;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

  private:
    bool isOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    std::mutex m_mutex;
    iconv_t m_cd;
};

}  // namespace

std::string utf8ToGbk(std::string_view utf8) {
    static Converter converter("GBK", "UTF-8");
    return converter.convert(utf8, "?");
}

std::string gbkToUtf8(std::string_view gbk) {
    static Converter converter("UTF-8", "GBK");
    return converter.convert(gbk, kReplacementUtf8);
}

}  // namespace quorbel
