#include "host/arx_host_services.h"

#include <array>
#include <string>

#include "cadhost/host_functions.h"

namespace quorbel::host {
namespace {
// The longest path the host's file search may answer (the system's PATH_MAX).
constexpr int kMaxPath = 4096;
}  // namespace

int ArxHostServices::findFile(std::string_view name, std::string& fullPath) {
    // A NUL would end the name early and make the host look for another file.
    if (name.find('\0') != std::string_view::npos) {
        return RTERROR;
    }
    const std::string bareName(name);
    std::array<char, kMaxPath> result{};
    const int status = acedFindFile(bareName.c_str(), result.data(), kMaxPath);
    if (status == RTNORM) {
        fullPath = result.data();
    }
    return status;
}

void ArxHostServices::print(std::string_view gbkText) {
    const std::string text(gbkText);
    acutPrintf("%s", text.c_str());
}

}  // namespace quorbel::host
