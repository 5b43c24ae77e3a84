#include "attrcheck/console_host.h"

#include "schema/gbk_text.h"

namespace quorbel::attrcheck {

ConsoleHost::ConsoleHost(SearchPathFinder finder, std::ostream& out)
    : m_finder(std::move(finder)), m_out(&out) {}

int ConsoleHost::findFile(std::string_view name, std::string& fullPath) {
    return m_finder.findFile(name, fullPath);
}

void ConsoleHost::print(std::string_view gbkText) {
    // The host's messages start a new command-line line; on a terminal they become one line each.
    std::string text = gbkToUtf8(gbkText);
    while (!text.empty() && text.front() == '\n') {
        text.erase(0, 1);
    }
    *m_out << text << '\n';
}

}  // namespace quorbel::attrcheck
