#pragma once

#include <string>

#include "export/export_job.h"

// The two entry points of the GDAL writer module, looked up by name after dlopen. C linkage keeps
// the names plain; the arguments are the project's own types, built by the same compiler.
extern "C" {

// Writes `job` to job->path; false with the reason in `failure` (UTF-8, Chinese) when it cannot,
// or when `progress` cancels. Whatever it wrote is left for the caller to remove.
bool VrkExportWrite(const vrk::ExportJob* job, vrk::ExportProgress* progress, std::string* failure);

// PROJ's name of the system with the EPSG code `epsg`; false when PROJ has no such system.
bool VrkExportSystemName(int epsg, std::string* name);
}

namespace vrk {
inline constexpr const char* kExportWriteEntry = "VrkExportWrite";
inline constexpr const char* kExportSystemNameEntry = "VrkExportSystemName";
using ExportWriteFunction = decltype(&VrkExportWrite);
using ExportSystemNameFunction = decltype(&VrkExportSystemName);
}  // namespace vrk
