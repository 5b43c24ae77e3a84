#pragma once

#include <optional>
#include <span>

namespace vrk {

// The EPSG code of the system the coordinates are in; kLocalSystem when it is local or unknown
// and the files say nothing about it.
inline constexpr int kLocalSystem = 0;

// The datums of the Chinese Gauss–Krüger grids that PROJ knows.
enum class GkDatum { kCgcs2000, kXian1980, kBeijing1954 };

// A Gauss–Krüger zone: 3° zones 25–45 and 6° zones 13–23 both cover the central meridians 75°E to
// 135°E. With the zone number in the easting, 38 512 345.678 is 12 345.678 m east of zone 38's
// false origin; without it the same point reads 512 345.678.
struct GaussKrugerZone {
    GkDatum datum = GkDatum::kCgcs2000;
    int width = 3;  // degrees: 3 or 6
    int zone = 38;
    bool zoneInEasting = false;

    bool operator==(const GaussKrugerZone&) const = default;
};

inline constexpr int kFirstZone3 = 25;
inline constexpr int kLastZone3 = 45;
inline constexpr int kFirstZone6 = 13;
inline constexpr int kLastZone6 = 23;

int FirstZone(int width);
int LastZone(int width);

// Degrees east of Greenwich.
int CentralMeridian(int width, int zone);

// The EPSG code PROJ has for the zone; kLocalSystem for a zone outside the table.
int GaussKrugerEpsg(const GaussKrugerZone& zone);

// The zone an EPSG code stands for, when it is one of the table's.
std::optional<GaussKrugerZone> GaussKrugerZoneOf(int epsg);

// WGS 84 / UTM: zones 1–60, north or south.
inline constexpr int kUtmZones = 60;
int UtmEpsg(int zone, bool north);

// The zone eastings carry in front ("38" in 38 512 345.678), when every easting carries the same
// valid one; the zone width follows from the number (13–23: 6°, 25–45: 3°).
std::optional<GaussKrugerZone> ProposeZoneFromEastings(std::span<const double> eastings,
                                                       GkDatum datum);

}  // namespace vrk
