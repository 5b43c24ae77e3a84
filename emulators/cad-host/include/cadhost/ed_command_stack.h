#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "arx_types.h"
#include "rx_object.h"

using AcRxFunctionPtr = void (*)();

// Context menus of a command; the host here has none, so it is only passed along.
class AcEdUIContext;

inline constexpr Adesk::Int32 ACRX_CMD_MODAL = 0;
inline constexpr Adesk::Int32 ACRX_CMD_TRANSPARENT = 1;
inline constexpr Adesk::Int32 ACRX_CMD_USEPICKSET = 2;

// One registered command as the host keeps it.
struct AcEdRegisteredCommand {
    std::string group;
    std::string globalName;
    std::string localName;
    Adesk::Int32 flags = ACRX_CMD_MODAL;
    AcRxFunctionPtr function = nullptr;
    AcEdUIContext* uiContext = nullptr;
    int functionCode = -1;
    HINSTANCE resourceHandle = nullptr;

    bool isTransparent() const { return (flags & ACRX_CMD_TRANSPARENT) != 0; }
};

// The host's table of commands, grouped. Names compare without regard to ASCII letter case, as
// users type them; the group registered last is searched first.
class AcEdCommandStack : public AcRxObject {
  public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    Acad::ErrorStatus addCommand(const char* cmdGroupName, const char* cmdGlobalName,
                                 const char* cmdLocalName, Adesk::Int32 commandFlags,
                                 AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                 int fcode = -1, HINSTANCE hResourceHandle = nullptr);
    Acad::ErrorStatus removeCmd(const char* cmdGroupName, const char* cmdGlobalName);
    Acad::ErrorStatus removeGroup(const char* groupName);

    // Host side: finds a command by its global or local name.
    const AcEdRegisteredCommand* lookupCmd(std::string_view name) const;
    // Every command, the group searched first first.
    std::vector<AcEdRegisteredCommand> commands() const;
    bool hasGroup(std::string_view groupName) const;
    // Removes the commands whose function satisfies the predicate; answers how many.
    template <class Predicate>
    std::size_t removeCommandsIf(Predicate predicate);

  private:
    struct Group {
        std::string name;
        std::vector<AcEdRegisteredCommand> commands;
    };
    Group* findGroup(std::string_view name);

    // Front is the group registered last.
    std::vector<Group> m_groups;
};

template <class Predicate>
std::size_t AcEdCommandStack::removeCommandsIf(Predicate predicate) {
    std::size_t removed = 0;
    for (Group& group : m_groups) {
        auto& list = group.commands;
        for (auto it = list.begin(); it != list.end();) {
            if (predicate(*it)) {
                it = list.erase(it);
                ++removed;
            } else {
                ++it;
            }
        }
    }
    std::erase_if(m_groups, [](const Group& group) { return group.commands.empty(); });
    return removed;
}
