#include "command_processor.h"

#include <algorithm>
#include <exception>

#include "cadhost/application_table.h"
#include "cadhost/doc_manager.h"
#include "cadhost/host_state.h"
#include "cadhost/rx_dynamic_linker.h"
#include "text_words.h"

namespace cadhost {
namespace {

constexpr char kTransparentPrefix = '\'';
constexpr const char* kCommandPrompt = "Command: ";

AcEdCommandStack* commandStack() {
    return acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                             AcEdCommandStack::desc());
}

ApplicationTable& applications() {
    auto* linker = acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                                      AcRxDynamicLinker::desc());
    return linker->applications();
}

std::string flagText(Adesk::Int32 flags) {
    std::string text = (flags & ACRX_CMD_TRANSPARENT) != 0 ? "transparent" : "modal";
    if ((flags & ACRX_CMD_USEPICKSET) != 0) {
        text += ", pick-first set";
    }
    return text;
}

// The labels of the version texts, as a file's properties show them.
std::string versionLabel(const std::string& key) {
    static const std::pair<const char*, const char*> labels[] = {
        {"FileVersion", "File version"},         {"ProductVersion", "Product version"},
        {"FileDescription", "File description"}, {"InternalName", "Internal name"},
        {"ProductName", "Product name"},         {"OriginalFilename", "Original file name"},
    };
    for (const auto& [name, label] : labels) {
        if (key == name) {
            return label;
        }
    }
    return key;
}

}  // namespace

CommandProcessor::CommandProcessor(DialogScript& dialogs) : m_dialogs(dialogs) {}

const std::vector<CommandProcessor::BuiltIn>& CommandProcessor::builtIns() {
    static const std::vector<BuiltIn> commands = {
        {"APPLOAD", false, &CommandProcessor::appLoad, "APPLOAD [FILE]  load an application"},
        {"ARX", false, &CommandProcessor::arx,
         "ARX [? | LOAD FILE | UNLOAD NAME | COMMANDS]  list, load or unload applications"},
        {"COMMANDS", true, &CommandProcessor::listCommands,
         "COMMANDS  list the commands that applications registered"},
        {"DIALOG", true, &CommandProcessor::dialog,
         "DIALOG OK | CANCEL | SHOT FILE.png | CLEAR  answer the next modal dialog"},
        {"HELP", true, &CommandProcessor::help, "HELP  this list"},
        {"QUIT", false, &CommandProcessor::quit, "QUIT  unload every application and end"},
        {"EXIT", false, &CommandProcessor::quit, "EXIT  the same as QUIT"},
    };
    return commands;
}

std::string CommandProcessor::prompt() const {
    return m_pending ? m_pending->prompt : kCommandPrompt;
}

void CommandProcessor::fail(std::string_view message) {
    ++m_failures;
    hostMessage(message);
}

void CommandProcessor::ask(std::string question, std::function<void(std::string_view)> answer) {
    m_pending = Pending{std::move(question), std::move(answer)};
}

void CommandProcessor::submit(std::string_view line) {
    if (!m_running.empty()) {
        // Only a modal dialog's own loop can get here; the command line waits for it.
        hostMessage("The host is busy with " + m_running + ".");
        return;
    }
    const std::string_view text = trim(line);
    const bool transparent = !text.empty() && text.front() == kTransparentPrefix;
    if (transparent) {
        runCommand(trim(text.substr(1)), true);
        return;
    }
    if (m_pending) {
        Pending pending = std::move(*m_pending);
        m_pending.reset();
        if (text.empty()) {
            hostMessage("*Cancel*");
            return;
        }
        pending.answer(text);
        return;
    }
    if (!text.empty()) {
        runCommand(text, false);
    }
}

void CommandProcessor::runCommand(std::string_view line, bool transparent) {
    const auto [name, args] = splitFirstWord(line);
    if (name.empty()) {
        return;
    }
    // Transparency matters only when it would interrupt a command that waits for input.
    const bool interrupting = transparent && m_pending.has_value();
    for (const BuiltIn& builtIn : builtIns()) {
        if (equalsIgnoringCase(builtIn.name, name)) {
            if (interrupting && !builtIn.transparent) {
                fail("** That command may not be invoked transparently **");
                return;
            }
            // A transparent command must not replace the question of the one it interrupts.
            std::optional<Pending> interrupted = std::move(m_pending);
            m_pending.reset();
            (this->*builtIn.handler)(args);
            if (interrupted) {
                m_pending = std::move(interrupted);
            }
            return;
        }
    }
    AcEdCommandStack* commands = commandStack();
    const AcEdRegisteredCommand* found = commands ? commands->lookupCmd(name) : nullptr;
    if (found == nullptr) {
        fail("Unknown command \"" + toUpperAscii(name) + "\". Type HELP for the commands.");
        return;
    }
    if (interrupting && !found->isTransparent()) {
        fail("** That command may not be invoked transparently **");
        return;
    }
    // The stack may change while the command runs; the entry must not be used after it.
    runRegistered(AcEdRegisteredCommand(*found));
}

void CommandProcessor::runRegistered(const AcEdRegisteredCommand& command) {
    AcApDocManager& documents = *acDocManagerPtr();
    const std::size_t depth = documents.pushedResourceHandles();
    m_running = command.globalName;
    try {
        command.function();
    } catch (const std::exception& error) {
        fail(command.globalName + " failed: " + error.what());
    } catch (...) {
        fail(command.globalName + " failed.");
    }
    m_running.clear();
    const std::size_t left = documents.pushedResourceHandles();
    if (left > depth) {
        hostMessage(command.globalName + " left " + std::to_string(left - depth) +
                    " resource handle(s) pushed; the host popped them.");
        documents.truncateResourceHandles(depth);
    } else if (left < depth) {
        hostMessage(command.globalName + " popped more resource handles than it pushed.");
    }
}

void CommandProcessor::load(std::string_view path) {
    if (!applications().load(unquote(path))) {
        ++m_failures;
    }
}

void CommandProcessor::unload(std::string_view name) {
    if (!applications().unload(unquote(name))) {
        ++m_failures;
    }
}

void CommandProcessor::appLoad(std::string_view args) {
    if (args.empty()) {
        ask("Application file to load: ", [this](std::string_view path) { load(path); });
        return;
    }
    load(args);
}

void CommandProcessor::arx(std::string_view args) {
    const auto [option, rest] = splitFirstWord(args);
    if (option.empty() || option == "?") {
        listApplications(rest);
    } else if (equalsIgnoringCase(option, "LOAD") || equalsIgnoringCase(option, "L")) {
        appLoad(rest);
    } else if (equalsIgnoringCase(option, "UNLOAD") || equalsIgnoringCase(option, "U")) {
        if (rest.empty()) {
            ask("Application to unload: ", [this](std::string_view name) { unload(name); });
            return;
        }
        unload(rest);
    } else if (equalsIgnoringCase(option, "COMMANDS") || equalsIgnoringCase(option, "C")) {
        listCommands(rest);
    } else {
        fail("ARX: unknown option \"" + std::string(option) +
             "\"; use ?, LOAD, UNLOAD or COMMANDS.");
    }
}

void CommandProcessor::listApplications(std::string_view) {
    const auto apps = applications().list();
    if (apps.empty()) {
        hostMessage("No applications are loaded.");
        return;
    }
    hostMessage("Loaded applications:");
    for (const LoadedApplication* app : apps) {
        hostMessage("  " + app->name + (app->locked ? "  (locked)" : "") +
                    (app->mdiAware ? "  (MDI aware)" : ""));
        if (app->version.empty()) {
            hostMessage("    no version information");
        }
        for (const auto& [key, value] : app->version.entries) {
            hostMessage("    " + versionLabel(key) + ": " + value);
        }
        hostMessage("    Path: " + app->path);
    }
}

void CommandProcessor::listCommands(std::string_view) {
    AcEdCommandStack* commands = commandStack();
    const auto all = commands ? commands->commands() : std::vector<AcEdRegisteredCommand>{};
    if (all.empty()) {
        hostMessage("No commands are registered.");
        return;
    }
    hostMessage("Registered commands:");
    for (const AcEdRegisteredCommand& command : all) {
        std::string line = "  " + command.group + "  " + command.globalName;
        if (command.localName != command.globalName) {
            line += " (" + command.localName + ")";
        }
        hostMessage(line + "  " + flagText(command.flags));
    }
}

void CommandProcessor::dialog(std::string_view args) {
    const auto [option, rest] = splitFirstWord(args);
    if (equalsIgnoringCase(option, "OK")) {
        m_dialogs.push({DialogAnswer::Kind::Ok, {}});
    } else if (equalsIgnoringCase(option, "CANCEL")) {
        m_dialogs.push({DialogAnswer::Kind::Cancel, {}});
    } else if (equalsIgnoringCase(option, "SHOT") && !rest.empty()) {
        m_dialogs.push({DialogAnswer::Kind::Shot, std::string(unquote(rest))});
    } else if (equalsIgnoringCase(option, "CLEAR")) {
        m_dialogs.clear();
    } else {
        fail("DIALOG: use OK, CANCEL, SHOT FILE.png or CLEAR.");
    }
}

void CommandProcessor::help(std::string_view) {
    hostMessage("Commands of the host:");
    for (const BuiltIn& builtIn : builtIns()) {
        hostMessage(std::string("  ") + builtIn.help);
    }
    hostMessage("Every registered command runs by its name in any letter case; a leading ' runs a");
    hostMessage("transparent command while another one waits for input. COMMANDS lists them.");
}

void CommandProcessor::quit(std::string_view) {
    m_quit = true;
}

}  // namespace cadhost
