#pragma once

// Test texts are written in UTF-8 for the reader and turned into the GBK bytes the program
// handles, once, here.

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace vrk::test {

inline std::string Gbk(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no GBK converter");
    }
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) {
        throw std::runtime_error("text has no GBK form");
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace vrk::test
