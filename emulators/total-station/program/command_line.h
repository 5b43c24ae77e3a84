#pragma once

#include <optional>
#include <string>
#include <vector>

#include "station_config.h"

namespace tssim {

enum class FirstAction { Menu, SendCoords, SendPcode, Receive };

struct Options {
    std::string linkPath;
    std::string coordsFile;
    std::string pcodeFile;
    std::string saveCoordsFile;
    std::string savePcodeFile;
    FirstAction first = FirstAction::Menu;
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
