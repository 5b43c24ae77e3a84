#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "export/coordinate_systems.h"
#include "export/export_module.h"

namespace vrk {
namespace {

const char* DatumName(GkDatum datum) {
    switch (datum) {
        case GkDatum::kCgcs2000:
            return "CGCS2000";
        case GkDatum::kXian1980:
            return "Xian 1980";
        case GkDatum::kBeijing1954:
            return "Beijing 1954";
    }
    return "";
}

// Every code of the table is the system PROJ names for that datum, zone width and zone.
TEST(CoordinateSystems, EveryGaussKrugerCodeIsTheZoneProjKnows) {
    ::setenv("VRK410_EXPORT_MODULE", EXPORT_MODULE, 1);
    std::string failure;
    const ExportModule* module = ExportModule::Load(failure);
    ASSERT_NE(module, nullptr) << failure;
    for (const GkDatum datum : {GkDatum::kCgcs2000, GkDatum::kXian1980, GkDatum::kBeijing1954}) {
        for (const int width : {3, 6}) {
            for (int zone = FirstZone(width); zone <= LastZone(width); ++zone) {
                for (const bool prefixed : {false, true}) {
                    const GaussKrugerZone gk{datum, width, zone, prefixed};
                    const int epsg = GaussKrugerEpsg(gk);
                    std::string expected =
                        std::string(DatumName(datum)) + " / " + (width == 3 ? "3-degree " : "") +
                        "Gauss-Kruger " +
                        (prefixed ? "zone " + std::to_string(zone)
                                  : "CM " + std::to_string(CentralMeridian(width, zone)) + "E");
                    EXPECT_EQ(module->SystemName(epsg).value_or("?"), expected) << epsg;
                    EXPECT_EQ(GaussKrugerZoneOf(epsg), gk) << epsg;
                }
            }
        }
    }
    EXPECT_EQ(module->SystemName(UtmEpsg(50, true)).value_or("?"), "WGS 84 / UTM zone 50N");
    EXPECT_FALSE(module->SystemName(999999).has_value());
}

TEST(CoordinateSystems, TheZoneInFrontOfTheEastingsIsProposed) {
    const std::vector<double> zone38 = {38512345.678, 38499000.0};
    EXPECT_EQ(ProposeZoneFromEastings(zone38, GkDatum::kXian1980),
              (GaussKrugerZone{GkDatum::kXian1980, 3, 38, true}));
    const std::vector<double> zone20 = {20512345.0};
    EXPECT_EQ(ProposeZoneFromEastings(zone20, GkDatum::kCgcs2000),
              (GaussKrugerZone{GkDatum::kCgcs2000, 6, 20, true}));
    // Mixed zones, no zone, a number that is no zone, nothing at all: no proposal.
    for (const std::vector<double>& eastings :
         {std::vector<double>{38512345.0, 39512345.0}, std::vector<double>{512345.0},
          std::vector<double>{24512345.0}, std::vector<double>{46512345.0},
          std::vector<double>{}}) {
        EXPECT_FALSE(ProposeZoneFromEastings(eastings, GkDatum::kCgcs2000).has_value());
    }
}

}  // namespace
}  // namespace vrk
