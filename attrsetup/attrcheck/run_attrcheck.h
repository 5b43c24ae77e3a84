#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace quorbel::attrcheck {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFindings = 3;

// The whole tool: acadPath is the value of $ACAD (nullptr when unset).
int runAttrcheck(const std::vector<std::string_view>& args, const char* acadPath, std::ostream& out,
                 std::ostream& err);

}  // namespace quorbel::attrcheck
