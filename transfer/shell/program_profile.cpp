#include "shell/program_profile.h"

namespace vrk {

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "VRK410";

}  // namespace

QSettings ProgramProfile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
}

}  // namespace vrk
