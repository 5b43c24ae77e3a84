#pragma once

#include <ostream>

#include "schema/host_services.h"
#include "schema/search_path_finder.h"

namespace quorbel::attrcheck {

// The host services of a terminal: files from a search path, messages converted to UTF-8.
class ConsoleHost : public HostServices {
  public:
    ConsoleHost(SearchPathFinder finder, std::ostream& out);

    int findFile(std::string_view name, std::string& fullPath) override;
    void print(std::string_view gbkText) override;
    // Where messages go from now on.
    void divertTo(std::ostream& out) { m_out = &out; }

  private:
    SearchPathFinder m_finder;
    std::ostream* m_out;
};

}  // namespace quorbel::attrcheck
