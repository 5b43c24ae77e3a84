#pragma once

// Everything a plug-in module may call in the host.
#include "arx_entry.h"
#include "arx_types.h"
#include "doc_manager.h"
#include "ed_command_stack.h"
#include "host_functions.h"
#include "resource_modules.h"
#include "rx_dynamic_linker.h"
#include "rx_object.h"
