#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cadhost/ed_command_stack.h"
#include "dialog_script.h"

namespace cadhost {

// The host's command line without its window: takes one line of input at a time, runs built-in
// and registered commands, and keeps a command that waits for input so that a command entered
// with the transparent prefix "'" can run in between.
class CommandProcessor {
  public:
    explicit CommandProcessor(DialogScript& dialogs);

    void submit(std::string_view line);

    // "Command: " or the question of the command that waits for input.
    std::string prompt() const;
    bool isWaiting() const { return m_pending.has_value(); }
    bool quitRequested() const { return m_quit; }
    // Commands that failed or were refused; the console's exit status.
    int failures() const { return m_failures; }

  private:
    using Handler = void (CommandProcessor::*)(std::string_view args);
    struct BuiltIn {
        const char* name;
        bool transparent;
        Handler handler;
        const char* help;
    };
    struct Pending {
        std::string prompt;
        std::function<void(std::string_view)> answer;
    };

    void runCommand(std::string_view line, bool transparent);
    void runRegistered(const AcEdRegisteredCommand& command);
    void ask(std::string prompt, std::function<void(std::string_view)> answer);
    void fail(std::string_view message);

    void appLoad(std::string_view args);
    void arx(std::string_view args);
    void listApplications(std::string_view args);
    void listCommands(std::string_view args);
    void dialog(std::string_view args);
    void help(std::string_view args);
    void quit(std::string_view args);
    void load(std::string_view path);
    void unload(std::string_view name);

    static const std::vector<BuiltIn>& builtIns();

    DialogScript& m_dialogs;
    std::optional<Pending> m_pending;
    std::string m_running;
    bool m_quit = false;
    int m_failures = 0;
};

}  // namespace cadhost
