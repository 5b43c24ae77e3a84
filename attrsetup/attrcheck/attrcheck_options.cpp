#include "attrcheck/attrcheck_options.h"

namespace quorbel::attrcheck {

bool parseOptions(const std::vector<std::string_view>& args, Options& options, std::string& error) {
    constexpr std::string_view kSupportPath = "--support-path";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--rewrite") {
            options.rewrite = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == kSupportPath) {
            if (i + 1 >= args.size()) {
                error = "--support-path needs a directory list";
                return false;
            }
            options.supportPath = std::string(args[++i]);
        } else if (arg.starts_with(kSupportPath) && arg.size() > kSupportPath.size() &&
                   arg[kSupportPath.size()] == '=') {
            options.supportPath = std::string(arg.substr(kSupportPath.size() + 1));
        } else {
            error = "unknown argument: " + std::string(arg);
            return false;
        }
    }
    return true;
}

}  // namespace quorbel::attrcheck
