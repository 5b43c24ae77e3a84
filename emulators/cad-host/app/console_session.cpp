#include "console_session.h"

#include <string>

#include "host_text.h"

namespace cadhost {
namespace {

void write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

bool readLine(std::FILE* input, std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(input)) != EOF) {
        if (c == '\n') {
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

}  // namespace

void printToConsole(std::string_view text, TextOrigin origin) {
    if (origin == TextOrigin::Host) {
        write(text);
        return;
    }
    write(displayText(text, origin).toStdString());
}

int runConsole(CommandProcessor& processor, std::FILE* input, bool echo) {
    std::string line;
    while (!processor.quitRequested()) {
        const std::string prompt = (atLineStart() ? "" : "\n") + processor.prompt();
        print(prompt, TextOrigin::Host);
        if (!readLine(input, line)) {
            print("\n", TextOrigin::Host);
            break;
        }
        if (echo) {
            print(line + "\n", TextOrigin::Host);
        }
        processor.submit(line);
    }
    return processor.failures() == 0 ? 0 : 1;
}

}  // namespace cadhost
