#include <windows.h>

#include "cli/console.h"

namespace vrk::cli {

void PrepareConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

}  // namespace vrk::cli
