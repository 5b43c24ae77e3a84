#include "serial/port_mapping.h"

#include <QSettings>

namespace vrk {

namespace {

// The profile's organisation, and a name of its own next to the profile's "VRK410".
constexpr auto kOrganisation = "Local AppWizard-Generated Applications";
constexpr auto kMappingName = "VRK410-ports";
constexpr auto kGroup = "Ports";

QSettings MappingFile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(kOrganisation), QString::fromLatin1(kMappingName));
}

QString KeyFor(int number) {
    return QStringLiteral("%1/COM%2").arg(QString::fromLatin1(kGroup)).arg(number);
}

}  // namespace

PortMapping LoadPortMapping() {
    const QSettings file = MappingFile();
    PortMapping mapping;
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        mapping.deviceFor(number) = file.value(KeyFor(number)).toString().trimmed().toStdString();
    }
    return mapping;
}

bool SavePortMapping(const PortMapping& mapping) {
    QSettings file = MappingFile();
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        const std::string& device = mapping.deviceFor(number);
        if (device.empty()) {
            file.remove(KeyFor(number));
        } else {
            file.setValue(KeyFor(number), QString::fromStdString(device));
        }
    }
    file.sync();
    return file.status() == QSettings::NoError;
}

std::string PortMappingFile() {
    return MappingFile().fileName().toStdString();
}

}  // namespace vrk
