// A small application for the host's tests: it registers TESTCMD (transparent) and TESTMODAL in
// group "TESTGRP", prints what it is asked to, and can be told to misbehave through the
// environment.
#include <cstdlib>
#include <stdexcept>

#include "cadhost/arx_api.h"

CADHOST_VERSION_RESOURCE(
    "FileVersion=2.3.4.5\n"
    "FileDescription=Host test application\n"
    "InternalName=SampleModule\n");

namespace {

AcEdCommandStack* commands() {
    return acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                             AcEdCommandStack::desc());
}

void testCommand() {
    if (std::getenv("SAMPLE_MODULE_THROW") != nullptr) {
        throw std::runtime_error("asked to throw");
    }
    if (std::getenv("SAMPLE_MODULE_LEAK_HANDLE") != nullptr) {
        acDocManagerPtr()->pushResourceHandle(acDocManagerPtr());
    }
    acutPrintf("%s", "\nTESTCMD ran %s %d\n");
}

void modalCommand() {
    acutPrintf("\nTESTMODAL ran\n");
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    auto* linker = acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                                      AcRxDynamicLinker::desc());
    switch (msg) {
        case AcRx::kInitAppMsg:
            if (std::getenv("SAMPLE_MODULE_STAY_LOCKED") == nullptr) {
                linker->unlockApplication(appId);
            }
            commands()->addCommand("TESTGRP", "TESTCMD", "testlocal",
                                   ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET, testCommand);
            commands()->addCommand("TESTGRP", "TESTMODAL", "TESTMODAL", ACRX_CMD_MODAL,
                                   modalCommand);
            break;
        case AcRx::kUnloadAppMsg:
            // Left registered on request, so the host's clean-up can be seen at work.
            if (std::getenv("SAMPLE_MODULE_KEEP_COMMANDS") == nullptr) {
                commands()->removeGroup("TESTGRP");
            }
            break;
        default:
            break;
    }
    return AcRx::kRetOK;
}
