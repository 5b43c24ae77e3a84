#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Host side only: what the host program configures in its API library. Plug-ins never include
// this.
namespace cadhost {

enum class TextOrigin {
    Host,         // the host's own messages, UTF-8
    Application,  // text printed by a plug-in, GBK bytes as the plug-in gave them
};

using OutputSink = std::function<void(std::string_view text, TextOrigin origin)>;

// Where acutPrintf and the host's messages go; without a sink they go to standard output.
void setOutputSink(OutputSink sink);
void print(std::string_view text, TextOrigin origin);
// One host message as its own line, on a fresh line even when a plug-in's text did not end one.
void hostMessage(std::string_view line);
// Whether the last text printed ended its line.
bool atLineStart();

void setSupportPath(std::vector<std::string> directories);
const std::vector<std::string>& supportPath();

// How often a module asked for the UI library; the host has nothing more to prepare.
int uiLibraryInitialisations();

}  // namespace cadhost
