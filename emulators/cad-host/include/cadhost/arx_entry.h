#pragma once

#include "rx_dynamic_linker.h"

// The API version a module must be built for to load into this host (16 in the upper half-word).
inline constexpr int kArxApiVersion = 0x100000;

// The two functions every application module exports.
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
extern "C" int acrxGetApiVersion();

using AcrxEntryPointFunction = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using AcrxGetApiVersionFunction = int (*)();

// A module's version resource: "Key=Value" lines in the section the host reads from the file
// without running the module, as a version resource is read from a file's resources. Keys:
// FileVersion, ProductVersion, FileDescription, InternalName, ProductName, OriginalFilename.
#define CADHOST_VERSION_SECTION ".arxversion"
#define CADHOST_VERSION_RESOURCE(text) \
    __attribute__((                    \
        used, section(CADHOST_VERSION_SECTION))) static const char cadhostVersionResource[] = text
