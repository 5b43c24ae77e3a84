#include "schema/line_splitter.h"

namespace quorbel {

bool LineSplitter::next(std::string_view& line) {
    if (m_pos >= m_text.size()) {
        return false;
    }
    m_lineStart = m_pos;
    const std::size_t lf = m_text.find('\n', m_pos);
    std::size_t end = (lf == std::string_view::npos) ? m_text.size() : lf;
    m_pos = (lf == std::string_view::npos) ? m_text.size() : lf + 1;
    if (lf != std::string_view::npos && end > m_lineStart && m_text[end - 1] == '\r') {
        --end;
    }
    line = m_text.substr(m_lineStart, end - m_lineStart);
    ++m_lineNumber;
    return true;
}

}  // namespace quorbel
