#pragma once

#include <cstddef>
#include <string_view>

namespace quorbel {

// Walks text line by line; LF or CR LF ends a line and a last line without terminator counts.
// Lines have no length limit.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text) : m_text(text) {}

    // The next line without its terminator; false at the end of the text.
    bool next(std::string_view& line);
    // 1-based number of the line last returned.
    std::size_t lineNumber() const { return m_lineNumber; }
    // Offset of the first byte of the line last returned.
    std::size_t lineStart() const { return m_lineStart; }

  private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_lineStart = 0;
    std::size_t m_lineNumber = 0;
};

// A line of nothing but blanks.
inline bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace quorbel
