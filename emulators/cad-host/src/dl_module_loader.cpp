#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <fstream>
#include <string_view>

#include "cadhost/module_loader.h"

namespace cadhost {

ModuleLoader::~ModuleLoader() = default;

namespace {

class DlModuleLoader final : public ModuleLoader {
  public:
    Handle open(const std::string& path, std::string& error) override {
        // Local binding keeps two applications' acrxEntryPoint apart.
        Handle module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* reason = dlerror();
            error = reason != nullptr ? reason : "unknown reason";
        }
        return module;
    }

    void* symbol(Handle module, const char* name) override {
        return module == nullptr ? nullptr : dlsym(module, name);
    }

    bool close(Handle module, std::string& error) override {
        if (dlclose(module) != 0) {
            const char* reason = dlerror();
            error = reason != nullptr ? reason : "unknown reason";
            return false;
        }
        return true;
    }

    bool owns(Handle module, const void* address) override {
        link_map* map = nullptr;
        Dl_info info{};
        if (module == nullptr || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr ||
            dladdr(address, &info) == 0 || info.dli_fname == nullptr || map->l_name == nullptr) {
            return false;
        }
        return std::strcmp(info.dli_fname, map->l_name) == 0;
    }

    bool isLoaded(const std::string& path) override {
        std::ifstream maps("/proc/self/maps");
        std::string line;
        while (std::getline(maps, line)) {
            const std::string_view text(line);
            if (text.size() >= path.size() && text.substr(text.size() - path.size()) == path) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

ModuleLoader& systemModuleLoader() {
    static DlModuleLoader loader;
    return loader;
}

}  // namespace cadhost
