#include "cadhost/application_table.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "cadhost/ascii_case.h"
#include "cadhost/ed_command_stack.h"
#include "cadhost/file_search.h"
#include "cadhost/host_state.h"

namespace cadhost {
namespace {

std::string hex(int value) {
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << std::setw(6) << std::setfill('0') << value;
    return text.str();
}

std::string stem(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

AcEdCommandStack* commandStack() {
    return acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                             AcEdCommandStack::desc());
}

// dlopen looks outside the library path only for a name with a slash, so the path is made full.
std::string resolveModulePath(std::string_view path) {
    std::filesystem::path given{std::string(path)};
    if (!given.has_parent_path()) {
        if (auto found = findOnSearchPath(path, supportPath())) {
            return *found;
        }
    }
    std::error_code error;
    const auto full = std::filesystem::absolute(given, error);
    return (error ? given : full).lexically_normal().string();
}

}  // namespace

LoadedApplication* ApplicationTable::findMutable(std::string_view name) {
    auto it = std::find_if(m_apps.begin(), m_apps.end(), [&](const LoadedApplication& app) {
        return equalsIgnoringCase(app.name, name) || equalsIgnoringCase(stem(app.name), name) ||
               app.path == name;
    });
    return it == m_apps.end() ? nullptr : &*it;
}

const LoadedApplication* ApplicationTable::find(std::string_view name) const {
    return const_cast<ApplicationTable*>(this)->findMutable(name);
}

LoadedApplication* ApplicationTable::byAppId(void* appId) {
    auto it = std::find_if(m_apps.begin(), m_apps.end(),
                           [&](const LoadedApplication& app) { return &app == appId; });
    return it == m_apps.end() ? nullptr : &*it;
}

std::vector<const LoadedApplication*> ApplicationTable::list() const {
    std::vector<const LoadedApplication*> apps;
    for (const LoadedApplication& app : m_apps) {
        apps.push_back(&app);
    }
    return apps;
}

bool ApplicationTable::callEntryPoint(LoadedApplication& app, AcRx::AppMsgCode message) {
    // An exception must not unwind through the host's command loop; it counts as a failure.
    try {
        return app.entryPoint(message, &app) == AcRx::kRetOK;
    } catch (const std::exception& error) {
        hostMessage(app.name + ": the entry point failed: " + error.what());
    } catch (...) {
        hostMessage(app.name + ": the entry point failed.");
    }
    return false;
}

bool ApplicationTable::load(std::string_view path) {
    if (path.empty()) {
        hostMessage("No application file given.");
        return false;
    }
    const std::string fullPath = resolveModulePath(path);
    const std::string name = std::filesystem::path(fullPath).filename().string();
    if (find(name) != nullptr) {
        hostMessage(name + " is already loaded.");
        return false;
    }
    std::string error;
    ModuleLoader::Handle module = m_loader->open(fullPath, error);
    if (module == nullptr) {
        hostMessage("Unable to load " + fullPath + ": " + error);
        return false;
    }
    auto refuse = [&](const std::string& reason) {
        hostMessage(reason);
        std::string ignored;
        m_loader->close(module, ignored);
        return false;
    };
    // The same file under another name (a link, a copy's link): the loader hands out the module
    // already initialised, and a second kInitAppMsg would register everything twice.
    for (const LoadedApplication& app : m_apps) {
        if (app.module == module) {
            return refuse(name + " is already loaded as " + app.name + ".");
        }
    }
    auto* getVersion =
        reinterpret_cast<AcrxGetApiVersionFunction>(m_loader->symbol(module, "acrxGetApiVersion"));
    if (getVersion == nullptr) {
        return refuse(name + " is not an application of this host: it has no acrxGetApiVersion.");
    }
    const int version = getVersion();
    if (version != kArxApiVersion) {
        return refuse(name + " was built for API version " + hex(version) +
                      "; this host runs version " + hex(kArxApiVersion) + ". Not loaded.");
    }
    auto* entry =
        reinterpret_cast<AcrxEntryPointFunction>(m_loader->symbol(module, "acrxEntryPoint"));
    if (entry == nullptr) {
        return refuse(name + " is not an application of this host: it has no acrxEntryPoint.");
    }

    m_apps.push_back(LoadedApplication{name, fullPath, module, entry, version, true, false,
                                       readVersionResource(fullPath)});
    auto app = std::prev(m_apps.end());
    if (!callEntryPoint(*app, AcRx::kInitAppMsg)) {
        hostMessage(name + " failed to initialise and was unloaded.");
        callEntryPoint(*app, AcRx::kUnloadAppMsg);
        release(app);
        return false;
    }
    hostMessage(name + " loaded.");
    return true;
}

void ApplicationTable::release(std::list<LoadedApplication>::iterator app) {
    // A command left registered would call into unmapped code on its next use.
    if (AcEdCommandStack* commands = commandStack()) {
        const std::size_t removed = commands->removeCommandsIf([&](const auto& command) {
            return m_loader->owns(app->module, reinterpret_cast<const void*>(command.function));
        });
        if (removed != 0) {
            hostMessage(app->name + " left " + std::to_string(removed) +
                        " command(s) registered; the host removed them.");
        }
    }
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    if (m_unmapCheck && m_loader->addressRange(app->module, begin, end) &&
        !m_unmapCheck(*app, begin, end)) {
        // Unmapping would leave dangling pointers; the module's memory is the lesser loss.
        hostMessage(app->name + " stays in memory.");
        m_apps.erase(app);
        return;
    }
    std::string error;
    if (!m_loader->close(app->module, error)) {
        hostMessage("Unloading " + app->name + " failed: " + error);
    } else if (m_loader->isLoaded(app->path)) {
        // Loading it again would then run none of its attach code, and its code stays in use.
        hostMessage(app->name + " is still mapped after unloading.");
    }
    m_apps.erase(app);
}

bool ApplicationTable::unload(std::string_view name) {
    LoadedApplication* found = findMutable(name);
    if (found == nullptr) {
        hostMessage(std::string(name) + " is not loaded.");
        return false;
    }
    const std::string appName = found->name;
    if (found->locked) {
        hostMessage(appName + " is locked and cannot be unloaded.");
        return false;
    }
    auto app = std::find_if(m_apps.begin(), m_apps.end(),
                            [&](const LoadedApplication& a) { return &a == found; });
    if (!callEntryPoint(*app, AcRx::kUnloadAppMsg)) {
        hostMessage(appName + " refused to unload.");
        return false;
    }
    release(app);
    hostMessage(appName + " unloaded.");
    return true;
}

void ApplicationTable::unloadAll() {
    while (!m_apps.empty()) {
        auto app = std::prev(m_apps.end());
        const std::string name = app->name;
        callEntryPoint(*app, AcRx::kQuitMsg);
        callEntryPoint(*app, AcRx::kUnloadAppMsg);
        release(app);
        hostMessage(name + " unloaded.");
    }
}

bool ApplicationTable::sendMessage(std::string_view name, AcRx::AppMsgCode message) {
    LoadedApplication* app = findMutable(name);
    return app != nullptr && callEntryPoint(*app, message);
}

}  // namespace cadhost
