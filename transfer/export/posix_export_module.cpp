#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <mutex>

#include "export/export_module.h"
#include "export/export_module_entry.h"
#include "export/export_texts.h"

namespace vrk {

namespace {

constexpr const char* kModulePathVariable = "VRK410_EXPORT_MODULE";
constexpr const char* kModuleFile = "libvrk410_export.so";
// Beside the programs in the build tree (transfer/cli, transfer/shell → transfer/export), and
// under lib/ once installed (bin → lib/vrk410).
constexpr std::array<const char*, 2> kModuleFolders = {"/../export/", "/../lib/vrk410/"};

std::string ProgramFolder() {
    std::array<char, 4096> path{};
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return ".";
    }
    std::string program(path.data(), static_cast<std::size_t>(length));
    return program.substr(0, program.rfind('/'));
}

void* OpenModule(std::string& failure) {
    if (const char* path = std::getenv(kModulePathVariable); path != nullptr && *path != '\0') {
        void* handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            failure = ::dlerror();
        }
        return handle;
    }
    const std::string folder = ProgramFolder();
    for (const char* relative : kModuleFolders) {
        const std::string path = folder + relative + kModuleFile;
        if (::access(path.c_str(), F_OK) != 0) {
            continue;
        }
        if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return handle;
        }
        failure = ::dlerror();
        return nullptr;
    }
    failure = std::string(texts::kModuleMissing) + kModuleFile;
    return nullptr;
}

}  // namespace

const ExportModule* ExportModule::Load(std::string& failure) {
    static std::mutex loading;
    static const ExportModule* loaded = nullptr;
    static std::string loadFailure;
    const std::lock_guard lock(loading);
    if (loaded == nullptr && loadFailure.empty()) {
        if (void* handle = OpenModule(loadFailure)) {
            auto* write = reinterpret_cast<WriteFunction>(::dlsym(handle, kExportWriteEntry));
            auto* name = reinterpret_cast<NameFunction>(::dlsym(handle, kExportSystemNameEntry));
            if (write != nullptr && name != nullptr) {
                loaded = new ExportModule(write, name);
            } else {
                loadFailure = texts::kModuleIncomplete;
            }
        }
    }
    if (loaded == nullptr) {
        failure = std::string(texts::kModuleNotLoaded) + loadFailure;
    }
    return loaded;
}

bool ExportModule::Write(const ExportJob& job, ExportProgress& progress,
                         std::string& failure) const {
    return write_(&job, &progress, &failure);
}

std::optional<std::string> ExportModule::SystemName(int epsg) const {
    const std::lock_guard lock(namesLock_);
    if (const auto known = names_.find(epsg); known != names_.end()) {
        return known->second;
    }
    std::string name;
    std::optional<std::string> answer;
    if (name_(epsg, &name)) {
        answer = std::move(name);
    }
    names_.emplace(epsg, answer);
    return answer;
}

}  // namespace vrk
