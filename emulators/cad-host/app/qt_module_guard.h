#pragma once

#include <cstdint>

#include "cadhost/application_table.h"

namespace cadhost {

// Qt keeps the first interface registered for a type for the life of the process. When a plug-in
// registers a type first, the registry points into the plug-in's file, and unmapping it would leave
// Qt with dangling pointers. The host registers, with its own copies, the types that Qt's inline
// item and model functions put into QVariants, so plug-ins find them registered already.
void registerSharedMetaTypes();

// Whether no Qt type interface lies between begin and end; tells the user of each one that does.
bool qtKeepsNothingInside(const LoadedApplication& app, std::uintptr_t begin, std::uintptr_t end);

// Both of the above for the host's application table.
void guardQtAgainstUnloadedModules(ApplicationTable& applications);

}  // namespace cadhost
