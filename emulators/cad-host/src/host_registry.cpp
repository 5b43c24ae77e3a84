#include "host_registry.h"

namespace cadhost {

HostClasses& hostClasses() {
    static HostClasses classes;
    return classes;
}

namespace {

// The host's long-lived objects, made on first use so a plug-in may ask before the host's own
// start-up code has run.
struct HostObjects {
    AcRxDictionary registry;
    AcRxDictionary classDictionary;
    AcRxDynamicLinker linker;
    AcEdCommandStack commands;
    AcApDocManager documents;

    HostObjects() {
        HostClasses& classes = hostClasses();
        for (AcRxClass* cls : {&classes.object, &classes.cls, &classes.dictionary,
                               &classes.dynamicLinker, &classes.commandStack}) {
            classDictionary.atPut(cls->name(), cls);
        }
        registry.atPut("ClassDictionary", &classDictionary);
        registry.atPut("DynamicLinker", &linker);
        registry.atPut("ACAD_REGISTERED_COMMANDS", &commands);
    }
};

HostObjects& hostObjects() {
    static HostObjects objects;
    return objects;
}

}  // namespace
}  // namespace cadhost

AcRxDictionary* acrxSysRegistry() {
    return &cadhost::hostObjects().registry;
}

AcApDocManager* acDocManagerPtr() {
    return &cadhost::hostObjects().documents;
}
