#pragma once

#include "arx_types.h"

// The chain of modules whose resources the host's framework searches. A module enters itself when
// it is attached and leaves when it is detached; other modules' entries stay.
bool cadhostEnterResourceModule(HINSTANCE module);
bool cadhostLeaveResourceModule(HINSTANCE module);
bool cadhostIsResourceModule(HINSTANCE module);
