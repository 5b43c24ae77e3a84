#pragma once

// The exit codes that every command of vrk410-cli gives the same meaning.
namespace vrk::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

}  // namespace vrk::cli
