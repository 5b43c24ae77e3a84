#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "arx_entry.h"
#include "module_loader.h"
#include "version_resource.h"

namespace cadhost {

struct LoadedApplication {
    std::string name;  // file name, as ARX lists it and ARX UNLOAD takes it
    std::string path;
    ModuleLoader::Handle module = nullptr;
    AcrxEntryPointFunction entryPoint = nullptr;
    int apiVersion = 0;
    bool locked = true;
    bool mdiAware = false;
    VersionInfo version;
};

// The applications loaded into the host, in load order. Every outcome is told through
// hostMessage; the functions answer whether they did what was asked.
class ApplicationTable {
  public:
    // Asked just before a module is unmapped, with the addresses it occupies; answering false keeps
    // it mapped because something outside it still points inside (the host's Qt layer checks
    // Qt's type registry). The check tells the user why.
    using UnmapCheck =
        std::function<bool(const LoadedApplication& app, std::uintptr_t begin, std::uintptr_t end)>;

    explicit ApplicationTable(ModuleLoader& loader) : m_loader(&loader) {}

    // A path without a directory is looked up on the support path first.
    bool load(std::string_view path);
    // By file name, with or without its extension, letter case ignored.
    bool unload(std::string_view name);
    // At exit: every application, locked or not, gets kQuitMsg and kUnloadAppMsg and is unloaded.
    void unloadAll();
    // Passes a message to one application's entry point; false when not loaded.
    bool sendMessage(std::string_view name, AcRx::AppMsgCode message);

    const LoadedApplication* find(std::string_view name) const;
    LoadedApplication* byAppId(void* appId);
    std::vector<const LoadedApplication*> list() const;

    void setLoader(ModuleLoader& loader) { m_loader = &loader; }
    void setUnmapCheck(UnmapCheck check) { m_unmapCheck = std::move(check); }

  private:
    LoadedApplication* findMutable(std::string_view name);
    bool callEntryPoint(LoadedApplication& app, AcRx::AppMsgCode message);
    void release(std::list<LoadedApplication>::iterator app);

    ModuleLoader* m_loader;
    UnmapCheck m_unmapCheck;
    // A list so that an application's address, its appId, stays put.
    std::list<LoadedApplication> m_apps;
};

}  // namespace cadhost
