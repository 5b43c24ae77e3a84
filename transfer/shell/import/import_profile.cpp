#include "shell/import/import_profile.h"

#include <QSettings>

namespace vrk {

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "VRK410";
constexpr const char* kColumns = "Import/Columns";
constexpr const char* kDelimiter = "Import/Delimiter";
constexpr const char* kUnit = "Import/Unit";

QSettings Profile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication);
}

}  // namespace

DelimitedOptions LoadImportColumns() {
    QSettings profile = Profile();
    DelimitedOptions options;
    if (const auto columns = ParseColumnMap(profile.value(kColumns).toString().toStdString())) {
        options.columns = *columns;
    }
    const int delimiter = profile.value(kDelimiter, 0).toInt();
    for (const char known : {kAutoDelimiter, ',', '\t', ';', kBlanksDelimiter}) {
        if (delimiter == known) {
            options.delimiter = known;
        }
    }
    const int unit = profile.value(kUnit, 0).toInt();
    if (unit == static_cast<int>(LengthUnit::Foot) ||
        unit == static_cast<int>(LengthUnit::UsSurveyFoot)) {
        options.unit = static_cast<LengthUnit>(unit);
    }
    if (options.columns.size() == 1 && options.columns[0] == ColumnRole::Ignore) {
        options.columns.clear();
    }
    return options;
}

void SaveImportColumns(const DelimitedOptions& options) {
    QSettings profile = Profile();
    profile.setValue(kColumns, QString::fromStdString(ColumnMapText(options.columns)));
    profile.setValue(kDelimiter, static_cast<int>(options.delimiter));
    profile.setValue(kUnit, static_cast<int>(options.unit));
}

}  // namespace vrk
