#pragma once

#include <QWidget>
#include <span>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace vrk {

// The coordinate system the view's numbers are in: a Chinese Gauss–Krüger zone (3° or 6°, with
// or without the zone number in front of the easting), a WGS 84 / UTM zone, any EPSG code PROJ
// knows, or local/unknown. Names come from PROJ, through the export module, as the user chooses.
class CrsChooser final : public QWidget {
    Q_OBJECT
  public:
    explicit CrsChooser(QWidget* parent = nullptr);

    // The EPSG code chosen; kLocalSystem for local/unknown and for a code PROJ does not know.
    int epsg() const;
    // False only for a typed code that PROJ does not know (or none typed).
    bool isValid() const;
    void setEpsg(int epsg);
    // When every easting carries the same zone number in front, chooses that zone with the
    // number in the easting (keeping the chosen datum) and says so.
    void proposeFrom(std::span<const double> eastings);

    QLabel& systemName() const { return *name_; }
    QLabel& proposal() const { return *proposal_; }

  signals:
    void changed();

  private:
    void fillZones();
    void showState();
    int chosenEpsg() const;

    QComboBox* kind_ = nullptr;
    QComboBox* width_ = nullptr;
    QComboBox* zone_ = nullptr;
    QCheckBox* zoneInEasting_ = nullptr;
    QComboBox* hemisphere_ = nullptr;
    QLineEdit* code_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* proposal_ = nullptr;
    bool known_ = true;
};

}  // namespace vrk
