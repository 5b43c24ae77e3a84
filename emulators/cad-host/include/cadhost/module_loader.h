#pragma once

#include <cstdint>
#include <string>

namespace cadhost {

// The operating system's loader of shared modules, behind an interface so the application table
// stays plain code.
class ModuleLoader {
  public:
    using Handle = void*;

    virtual ~ModuleLoader();

    // Null on failure, with the loader's reason in error.
    virtual Handle open(const std::string& path, std::string& error) = 0;
    virtual void* symbol(Handle module, const char* name) = 0;
    virtual bool close(Handle module, std::string& error) = 0;
    // Whether the code or data at address belongs to the module.
    virtual bool owns(Handle module, const void* address) = 0;
    // The addresses the module occupies, from its first to the end of its last loaded segment.
    virtual bool addressRange(Handle module, std::uintptr_t& begin, std::uintptr_t& end) = 0;
    // Whether a module of this path is still mapped into the process.
    virtual bool isLoaded(const std::string& path) = 0;
};

// The loader of this process (dlopen).
ModuleLoader& systemModuleLoader();

}  // namespace cadhost
