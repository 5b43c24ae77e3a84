#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "export/export_job.h"

namespace vrk {

// The GDAL writer, loaded from its module on first use and kept for the rest of the process.
// Loading it costs tens of milliseconds, which is why nothing else in the program links GDAL.
class ExportModule {
  public:
    // nullptr, with the reason in `failure`, when the module cannot be loaded.
    static const ExportModule* Load(std::string& failure);

    bool Write(const ExportJob& job, ExportProgress& progress, std::string& failure) const;

    // PROJ's name of the system; nullopt when PROJ does not know the code. Each answer is kept:
    // PROJ's first look-up in a thread costs tens of milliseconds, and a thread that loads the
    // module ahead of an export can ask it there.
    std::optional<std::string> SystemName(int epsg) const;

  private:
    using WriteFunction = bool (*)(const ExportJob*, ExportProgress*, std::string*);
    using NameFunction = bool (*)(int, std::string*);

    ExportModule(WriteFunction write, NameFunction name) : write_(write), name_(name) {}

    WriteFunction write_;
    NameFunction name_;
    mutable std::mutex namesLock_;
    mutable std::map<int, std::optional<std::string>> names_;
};

}  // namespace vrk
