#include "cadhost/host_functions.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "cadhost/file_search.h"
#include "cadhost/host_state.h"

namespace cadhost {
void countUiInitialisation();
}

int acedFindFile(const char* fname, char* result, int nBufLen) {
    if (fname == nullptr || *fname == '\0' || result == nullptr || nBufLen <= 0) {
        return RTREJ;
    }
    const auto found = cadhost::findOnSearchPath(fname, cadhost::supportPath());
    if (!found) {
        return RTERROR;
    }
    // A cut path would name another file, so a result that does not fit is a refusal.
    if (found->size() >= static_cast<std::size_t>(nBufLen)) {
        return RTREJ;
    }
    std::memcpy(result, found->c_str(), found->size() + 1);
    return RTNORM;
}

int acutPrintf(const char* format, ...) {
    if (format == nullptr) {
        return 0;
    }
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        va_end(args);
        return length;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<std::size_t>(length));
    cadhost::print(text, cadhost::TextOrigin::Application);
    return length;
}

void InitAcUiDLL() {
    cadhost::countUiInitialisation();
}
