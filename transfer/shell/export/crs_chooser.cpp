#include "shell/export/crs_chooser.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <array>

#include "export/coordinate_systems.h"
#include "export/export_module.h"
#include "shell/dialogs/dialog_buttons.h"
#include "shell/export/export_texts.h"
#include "shell/windows/command_ids.h"

namespace vrk {

namespace {

// The kinds in the order of the chooser.
enum Kind { kCgcs2000, kXian1980, kBeijing1954, kUtm, kEpsgCode, kLocal };
constexpr std::array<GkDatum, 3> kDatums = {GkDatum::kCgcs2000, GkDatum::kXian1980,
                                            GkDatum::kBeijing1954};
constexpr std::array<const char*, 6> kKindNames = {texts::kCrsCgcs2000,    texts::kCrsXian1980,
                                                   texts::kCrsBeijing1954, texts::kCrsUtm,
                                                   texts::kCrsEpsgCode,    texts::kCrsLocal};
constexpr int kFirstUtmNorth = 32601;
constexpr int kFirstUtmSouth = 32701;

bool IsGaussKruger(int kind) {
    return kind <= kBeijing1954;
}

int UtmCentralMeridian(int zone) {
    return zone * 6 - 183;
}

}  // namespace

CrsChooser::CrsChooser(QWidget* parent) : QWidget(parent) {
    kind_ = Named(new QComboBox, ids::kCrsKind);
    for (const char* name : kKindNames) {
        kind_->addItem(QString::fromUtf8(name));
    }
    width_ = Named(new QComboBox, ids::kCrsZoneWidth);
    width_->addItem(QString::fromUtf8(texts::kCrsZoneWidth3), 3);
    width_->addItem(QString::fromUtf8(texts::kCrsZoneWidth6), 6);
    zone_ = Named(new QComboBox, ids::kCrsZone);
    zoneInEasting_ =
        Named(new QCheckBox(QString::fromUtf8(texts::kCrsZoneInEasting)), ids::kCrsZoneInEasting);
    hemisphere_ = Named(new QComboBox, ids::kCrsHemisphere);
    hemisphere_->addItem(QString::fromUtf8(texts::kCrsNorth));
    hemisphere_->addItem(QString::fromUtf8(texts::kCrsSouth));
    code_ = Named(new QLineEdit, ids::kCrsEpsg);
    code_->setPlaceholderText(QString::fromUtf8(texts::kCrsEpsgPlaceholder));
    code_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), code_));
    name_ = Named(new QLabel, ids::kCrsName);
    name_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    proposal_ = Named(new QLabel, ids::kCrsProposal);
    proposal_->setWordWrap(true);

    auto* zoneRow = new QHBoxLayout;
    zoneRow->setContentsMargins(0, 0, 0, 0);
    zoneRow->addWidget(width_);
    zoneRow->addWidget(zone_, 1);
    zoneRow->addWidget(hemisphere_);
    zoneRow->addWidget(code_, 1);
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QString::fromUtf8(texts::kCrsKindLabel), kind_);
    layout->addRow(QString(), zoneRow);
    layout->addRow(QString(), zoneInEasting_);
    layout->addRow(QString(), name_);
    layout->addRow(QString(), proposal_);

    fillZones();
    setEpsg(GaussKrugerEpsg(GaussKrugerZone{}));
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
        fillZones();
        showState();
    });
    connect(width_, &QComboBox::currentIndexChanged, this, [this] {
        fillZones();
        showState();
    });
    for (QComboBox* box : {zone_, hemisphere_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &CrsChooser::showState);
    }
    connect(zoneInEasting_, &QCheckBox::toggled, this, &CrsChooser::showState);
    connect(code_, &QLineEdit::textChanged, this, &CrsChooser::showState);
}

void CrsChooser::fillZones() {
    const int kind = kind_->currentIndex();
    const int keep = zone_->currentData().toInt();
    const QSignalBlocker quiet(zone_);
    zone_->clear();
    if (kind == kUtm) {
        for (int zone = 1; zone <= kUtmZones; ++zone) {
            zone_->addItem(
                QString::fromUtf8(texts::kCrsUtmZone).arg(zone).arg(UtmCentralMeridian(zone)),
                zone);
        }
    } else {
        const int width = width_->currentData().toInt();
        for (int zone = FirstZone(width); zone <= LastZone(width); ++zone) {
            zone_->addItem(
                QString::fromUtf8(texts::kCrsGkZone).arg(zone).arg(CentralMeridian(width, zone)),
                zone);
        }
    }
    const int again = zone_->findData(keep);
    zone_->setCurrentIndex(again >= 0 ? again : zone_->count() / 2);
    const bool gaussKruger = IsGaussKruger(kind);
    width_->setVisible(gaussKruger);
    zoneInEasting_->setVisible(gaussKruger);
    zone_->setVisible(gaussKruger || kind == kUtm);
    hemisphere_->setVisible(kind == kUtm);
    code_->setVisible(kind == kEpsgCode);
}

int CrsChooser::chosenEpsg() const {
    const int kind = kind_->currentIndex();
    if (IsGaussKruger(kind)) {
        return GaussKrugerEpsg(
            GaussKrugerZone{kDatums[static_cast<std::size_t>(kind)], width_->currentData().toInt(),
                            zone_->currentData().toInt(), zoneInEasting_->isChecked()});
    }
    if (kind == kUtm) {
        return UtmEpsg(zone_->currentData().toInt(), hemisphere_->currentIndex() == 0);
    }
    if (kind == kEpsgCode) {
        return code_->text().toInt();
    }
    return kLocalSystem;
}

void CrsChooser::showState() {
    const int code = chosenEpsg();
    known_ = true;
    if (code == kLocalSystem) {
        known_ = kind_->currentIndex() != kEpsgCode;
        name_->setText(QString::fromUtf8(known_ ? texts::kCrsNoSystem : texts::kCrsTypeCode));
    } else {
        std::string failure;
        const ExportModule* module = ExportModule::Load(failure);
        const auto name = module != nullptr ? module->SystemName(code) : std::nullopt;
        known_ = name.has_value();
        if (module == nullptr) {
            name_->setText(QString::fromStdString(failure));
        } else if (!known_) {
            name_->setText(QString::fromUtf8(texts::kCrsUnknownCode).arg(code));
        } else {
            name_->setText(
                QString::fromUtf8(texts::kCrsNameOf).arg(code).arg(QString::fromStdString(*name)));
        }
    }
    emit changed();
}

int CrsChooser::epsg() const {
    return known_ ? chosenEpsg() : kLocalSystem;
}

bool CrsChooser::isValid() const {
    return known_;
}

void CrsChooser::setEpsg(int epsg) {
    int kind = kLocal;
    int zone = 0;
    if (const auto gk = GaussKrugerZoneOf(epsg)) {
        kind = static_cast<int>(std::find(kDatums.begin(), kDatums.end(), gk->datum) -
                                kDatums.begin());
        width_->setCurrentIndex(width_->findData(gk->width));
        zoneInEasting_->setChecked(gk->zoneInEasting);
        zone = gk->zone;
    } else if (epsg >= kFirstUtmNorth && epsg < kFirstUtmNorth + kUtmZones) {
        kind = kUtm;
        zone = epsg - kFirstUtmNorth + 1;
        hemisphere_->setCurrentIndex(0);
    } else if (epsg >= kFirstUtmSouth && epsg < kFirstUtmSouth + kUtmZones) {
        kind = kUtm;
        zone = epsg - kFirstUtmSouth + 1;
        hemisphere_->setCurrentIndex(1);
    } else if (epsg != kLocalSystem) {
        kind = kEpsgCode;
        code_->setText(QString::number(epsg));
    }
    {
        const QSignalBlocker quiet(kind_);
        kind_->setCurrentIndex(kind);
    }
    fillZones();
    if (zone != 0) {
        zone_->setCurrentIndex(zone_->findData(zone));
    }
    showState();
}

void CrsChooser::proposeFrom(std::span<const double> eastings) {
    const int kind = kind_->currentIndex();
    const GkDatum datum =
        IsGaussKruger(kind) ? kDatums[static_cast<std::size_t>(kind)] : GkDatum::kCgcs2000;
    const auto zone = ProposeZoneFromEastings(eastings, datum);
    if (!zone) {
        proposal_->clear();
        return;
    }
    setEpsg(GaussKrugerEpsg(*zone));
    proposal_->setText(QString::fromUtf8(texts::kCrsProposal)
                           .arg(zone->zone)
                           .arg(kind_->currentText() + QLatin1Char(' ') + width_->currentText()));
}

}  // namespace vrk
