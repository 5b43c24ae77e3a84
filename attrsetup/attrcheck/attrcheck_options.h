#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::attrcheck {

struct Options {
    std::optional<std::string> supportPath;  // DIR[:DIR...]; absent = $ACAD, then "."
    bool rewrite = false;
    bool strict = false;
    bool force = false;  // rewrite even while another process holds the editing lock
    bool help = false;
};

// False with an error text for anything that is not a known option.
bool parseOptions(const std::vector<std::string_view>& args, Options& options, std::string& error);

inline constexpr std::string_view kUsage =
    "usage: attrcheck [--support-path DIR[:DIR...]] [--rewrite [--force]] [--strict]\n"
    "  Loads INDEX.INI and attribute.def from the support path (default: $ACAD, then the\n"
    "  current directory) and reports what needs an administrator's attention.\n"
    "  --rewrite  save both files as the editor's OK does; refused while the files are being\n"
    "             edited (a live .quorbel.lock of another process beside INDEX.INI)\n"
    "  --force    rewrite even then\n"
    "  --strict   exit with 3 when anything was reported\n";

}  // namespace quorbel::attrcheck
