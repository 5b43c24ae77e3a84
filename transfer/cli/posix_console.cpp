#include <unistd.h>

#include "cli/console.h"

namespace vrk::cli {

void PrepareConsole() {}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace vrk::cli
