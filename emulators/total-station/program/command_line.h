#pragma once

#include <optional>
#include <string>
#include <vector>

#include "station_config.h"

namespace tssim {

// The first exchange; after it the station serves whatever the computer starts.
enum class FirstAction { Serve, Send, Receive };

struct Options {
    std::string linkPath;
    std::string coordsFile;
    std::string pcodeFile;
    std::string saveCoordsFile;
    std::string savePcodeFile;
    FirstAction first = FirstAction::Serve;
    std::optional<Content> content;  // what a download sends; default: coordinates if any
    std::optional<double> startAfterSeconds;
    bool once = false;
    Config config;
};

struct ParsedCommandLine {
    Options options;
    bool help = false;
    std::string error;  // not empty: a usage error
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);
const char* usageText();

}  // namespace tssim
