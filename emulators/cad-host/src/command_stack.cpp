#include <algorithm>

#include "cadhost/ascii_case.h"
#include "cadhost/ed_command_stack.h"
#include "host_registry.h"

namespace {

// Command names are single words: the command line splits at blanks.
bool isUsableName(const char* name) {
    if (name == nullptr || *name == '\0') {
        return false;
    }
    std::string_view text(name);
    return text.find_first_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

AcRxClass* AcEdCommandStack::desc() {
    return &cadhost::hostClasses().commandStack;
}

AcRxClass* AcEdCommandStack::isA() const {
    return desc();
}

AcEdCommandStack::Group* AcEdCommandStack::findGroup(std::string_view name) {
    auto it = std::find_if(m_groups.begin(), m_groups.end(), [&](const Group& group) {
        return cadhost::equalsIgnoringCase(group.name, name);
    });
    return it == m_groups.end() ? nullptr : &*it;
}

bool AcEdCommandStack::hasGroup(std::string_view groupName) const {
    return std::any_of(m_groups.begin(), m_groups.end(), [&](const Group& group) {
        return cadhost::equalsIgnoringCase(group.name, groupName);
    });
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                               const char* cmdLocalName, Adesk::Int32 commandFlags,
                                               AcRxFunctionPtr functionAddr,
                                               AcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle) {
    if (!isUsableName(cmdGroupName) || !isUsableName(cmdGlobalName) ||
        !isUsableName(cmdLocalName) || functionAddr == nullptr) {
        return Acad::eInvalidInput;
    }
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr) {
        m_groups.insert(m_groups.begin(), Group{cmdGroupName, {}});
        group = &m_groups.front();
    }
    const bool taken =
        std::any_of(group->commands.begin(), group->commands.end(), [&](const auto& command) {
            return cadhost::equalsIgnoringCase(command.globalName, cmdGlobalName) ||
                   cadhost::equalsIgnoringCase(command.localName, cmdLocalName);
        });
    if (taken) {
        return Acad::eDuplicateKey;
    }
    group->commands.push_back(AcEdRegisteredCommand{cmdGroupName, cmdGlobalName, cmdLocalName,
                                                    commandFlags, functionAddr, UIContext, fcode,
                                                    hResourceHandle});
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const char* cmdGroupName, const char* cmdGlobalName) {
    if (cmdGroupName == nullptr || cmdGlobalName == nullptr) {
        return Acad::eInvalidInput;
    }
    Group* group = findGroup(cmdGroupName);
    if (group == nullptr) {
        return Acad::eKeyNotFound;
    }
    const auto removed = std::erase_if(group->commands, [&](const auto& command) {
        return cadhost::equalsIgnoringCase(command.globalName, cmdGlobalName);
    });
    std::erase_if(m_groups, [](const Group& g) { return g.commands.empty(); });
    return removed == 0 ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const char* groupName) {
    if (groupName == nullptr) {
        return Acad::eInvalidInput;
    }
    const auto removed = std::erase_if(m_groups, [&](const Group& group) {
        return cadhost::equalsIgnoringCase(group.name, groupName);
    });
    return removed == 0 ? Acad::eKeyNotFound : Acad::eOk;
}

const AcEdRegisteredCommand* AcEdCommandStack::lookupCmd(std::string_view name) const {
    for (const Group& group : m_groups) {
        for (const AcEdRegisteredCommand& command : group.commands) {
            if (cadhost::equalsIgnoringCase(command.globalName, name) ||
                cadhost::equalsIgnoringCase(command.localName, name)) {
                return &command;
            }
        }
    }
    return nullptr;
}

std::vector<AcEdRegisteredCommand> AcEdCommandStack::commands() const {
    std::vector<AcEdRegisteredCommand> all;
    for (const Group& group : m_groups) {
        all.insert(all.end(), group.commands.begin(), group.commands.end());
    }
    return all;
}
