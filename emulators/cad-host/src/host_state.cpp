#include "cadhost/host_state.h"

#include <cstdio>

namespace cadhost {
namespace {

struct HostState {
    OutputSink sink;
    std::vector<std::string> supportPath;
    int uiInitialisations = 0;
    bool atLineStart = true;
};

HostState& state() {
    static HostState host;
    return host;
}

}  // namespace

void setOutputSink(OutputSink sink) {
    state().sink = std::move(sink);
}

void print(std::string_view text, TextOrigin origin) {
    if (text.empty()) {
        return;
    }
    state().atLineStart = text.back() == '\n';
    if (state().sink) {
        state().sink(text, origin);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

bool atLineStart() {
    return state().atLineStart;
}

void hostMessage(std::string_view line) {
    std::string text = atLineStart() ? "" : "\n";
    text += line;
    text += '\n';
    print(text, TextOrigin::Host);
}

void setSupportPath(std::vector<std::string> directories) {
    state().supportPath = std::move(directories);
}

const std::vector<std::string>& supportPath() {
    return state().supportPath;
}

int uiLibraryInitialisations() {
    return state().uiInitialisations;
}

void countUiInitialisation() {
    ++state().uiInitialisations;
}

}  // namespace cadhost
