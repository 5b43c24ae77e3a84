#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
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

    bool addressRange(Handle module, std::uintptr_t& begin, std::uintptr_t& end) override {
        link_map* map = nullptr;
        if (module == nullptr || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
            return false;
        }
        struct Search {
            ElfW(Addr) base;
            std::uintptr_t begin = UINTPTR_MAX;
            std::uintptr_t end = 0;
        } search{map->l_addr};
        dl_iterate_phdr(
            [](dl_phdr_info* info, std::size_t, void* data) {
                auto* wanted = static_cast<Search*>(data);
                if (info->dlpi_addr != wanted->base) {
                    return 0;
                }
                for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
                    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
                    if (segment.p_type == PT_LOAD) {
                        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
                        wanted->begin = std::min(wanted->begin, start);
                        wanted->end = std::max(wanted->end, start + segment.p_memsz);
                    }
                }
                return 1;
            },
            &search);
        if (search.end == 0) {
            return false;
        }
        begin = search.begin;
        end = search.end;
        return true;
    }

    bool isLoaded(const std::string& givenPath) override {
        // The kernel lists a mapping under the file's real path, symbolic links resolved.
        std::error_code error;
        const auto real = std::filesystem::canonical(givenPath, error);
        const std::string path = error ? givenPath : real.string();
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
