#pragma once

#include <memory>

namespace vrk {

// Code page 936 one character at a time, from the system's own converter: ICU on POSIX systems
// (icu_gbk_char_converter.cpp), the Windows code page functions there
// (win32_gbk_char_converter.cpp).
class GbkCharConverter {
  public:
    GbkCharConverter();
    ~GbkCharConverter();
    GbkCharConverter(const GbkCharConverter&) = delete;
    GbkCharConverter& operator=(const GbkCharConverter&) = delete;

    bool ready() const;
    // The one UTF-16 unit these `length` bytes decode to, when it encodes back to exactly the
    // same bytes; 0 otherwise.
    char16_t decodeExactly(const char* bytes, int length) const;

  private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

}  // namespace vrk
