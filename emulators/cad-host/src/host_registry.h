#pragma once

#include "cadhost/doc_manager.h"
#include "cadhost/ed_command_stack.h"
#include "cadhost/rx_dynamic_linker.h"
#include "cadhost/rx_object.h"

namespace cadhost {

// The class descriptors of the host's run-time classes, parents before children.
struct HostClasses {
    AcRxClass object{"AcRxObject", nullptr};
    AcRxClass cls{"AcRxClass", &object};
    AcRxClass dictionary{"AcRxDictionary", &object};
    AcRxClass dynamicLinker{"AcRxDynamicLinker", &object};
    AcRxClass commandStack{"AcEdCommandStack", &object};
};

HostClasses& hostClasses();

}  // namespace cadhost
