#pragma once

#include "schema/host_services.h"

namespace quorbel::host {

// The schema's host services over the host's file search and command line.
class ArxHostServices final : public quorbel::HostServices {
  public:
    int findFile(std::string_view name, std::string& fullPath) override;
    void print(std::string_view gbkText) override;
};

}  // namespace quorbel::host
