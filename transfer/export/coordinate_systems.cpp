#include "export/coordinate_systems.h"

#include <array>
#include <cmath>

namespace vrk {

namespace {

// The EPSG code of each table's first zone; the zones follow it one by one.
struct DatumCodes {
    GkDatum datum;
    int zoned6;
    int meridian6;
    int zoned3;
    int meridian3;
};

constexpr std::array<DatumCodes, 3> kCodes = {{
    {GkDatum::kCgcs2000, 4491, 4502, 4513, 4534},
    {GkDatum::kXian1980, 2327, 2338, 2349, 2370},
    {GkDatum::kBeijing1954, 21413, 21453, 2401, 2422},
}};

constexpr int kUtmNorthBase = 32600;
constexpr int kUtmSouthBase = 32700;
constexpr double kMetresPerZonePrefix = 1'000'000.0;

int FirstCode(const DatumCodes& codes, int width, bool zoneInEasting) {
    if (width == 6) {
        return zoneInEasting ? codes.zoned6 : codes.meridian6;
    }
    return zoneInEasting ? codes.zoned3 : codes.meridian3;
}

}  // namespace

int FirstZone(int width) {
    return width == 6 ? kFirstZone6 : kFirstZone3;
}

int LastZone(int width) {
    return width == 6 ? kLastZone6 : kLastZone3;
}

int CentralMeridian(int width, int zone) {
    return width == 6 ? zone * 6 - 3 : zone * 3;
}

int GaussKrugerEpsg(const GaussKrugerZone& zone) {
    if ((zone.width != 3 && zone.width != 6) || zone.zone < FirstZone(zone.width) ||
        zone.zone > LastZone(zone.width)) {
        return kLocalSystem;
    }
    for (const DatumCodes& codes : kCodes) {
        if (codes.datum == zone.datum) {
            return FirstCode(codes, zone.width, zone.zoneInEasting) + zone.zone -
                   FirstZone(zone.width);
        }
    }
    return kLocalSystem;
}

std::optional<GaussKrugerZone> GaussKrugerZoneOf(int epsg) {
    for (const DatumCodes& codes : kCodes) {
        for (const int width : {3, 6}) {
            for (const bool zoneInEasting : {false, true}) {
                const int offset = epsg - FirstCode(codes, width, zoneInEasting);
                if (offset >= 0 && offset <= LastZone(width) - FirstZone(width)) {
                    return GaussKrugerZone{codes.datum, width, FirstZone(width) + offset,
                                           zoneInEasting};
                }
            }
        }
    }
    return std::nullopt;
}

int UtmEpsg(int zone, bool north) {
    return (north ? kUtmNorthBase : kUtmSouthBase) + zone;
}

std::optional<GaussKrugerZone> ProposeZoneFromEastings(std::span<const double> eastings,
                                                       GkDatum datum) {
    std::optional<int> common;
    for (const double easting : eastings) {
        const double prefix = std::floor(easting / kMetresPerZonePrefix);
        if (!(prefix >= kFirstZone6 && prefix <= kLastZone3)) {
            return std::nullopt;
        }
        const int zone = static_cast<int>(prefix);
        if (common && *common != zone) {
            return std::nullopt;
        }
        common = zone;
    }
    if (!common || *common == kLastZone6 + 1) {
        return std::nullopt;
    }
    return GaussKrugerZone{datum, *common <= kLastZone6 ? 6 : 3, *common, true};
}

}  // namespace vrk
