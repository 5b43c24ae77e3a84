#include <gtest/gtest.h>

#include "import/polar_reduction.h"

namespace vrk {
namespace {

// The expected values were worked out by hand with a calculator:
// horizontal distance = 100 × sin 85.5° = 99.69173, height difference = 100 × cos 85.5° = 7.84591,
// bearing 135°: ΔE = +70.49270, ΔN = −70.49270.
TEST(PolarReductionTest, SlopeDistanceFromAnOrientedStation) {
    StationSetup station{1000.0, 2000.0, 50.0, 1.5, GonToRadians(100.0)};
    PolarObservation obs;
    obs.horizontalAngle = GonToRadians(50.0);
    obs.zenithAngle = GonToRadians(95.0);
    obs.slopeDistance = 100.0;
    obs.targetHeight = 1.3;
    const auto point = ReducePolar(station, obs);
    ASSERT_TRUE(point.has_value());
    EXPECT_NEAR(point->east, 1070.49270, 1e-5);
    EXPECT_NEAR(point->north, 1929.50730, 1e-5);
    ASSERT_TRUE(point->height.has_value());
    EXPECT_NEAR(*point->height, 58.04591, 1e-5);
}

TEST(PolarReductionTest, HorizontalDistanceAloneGivesNoHeight) {
    StationSetup station{0.0, 0.0, 10.0, 1.5, 0.0};
    PolarObservation obs;
    obs.horizontalAngle = DegreesToRadians(90.0);
    obs.horizontalDistance = 12.5;
    obs.targetHeight = 1.0;
    const auto point = ReducePolar(station, obs);
    ASSERT_TRUE(point.has_value());
    EXPECT_NEAR(point->east, 12.5, 1e-9);
    EXPECT_NEAR(point->north, 0.0, 1e-9);
    EXPECT_FALSE(point->height.has_value());

    obs.horizontalDistance.reset();
    EXPECT_FALSE(ReducePolar(station, obs).has_value());
}

TEST(PolarReductionTest, BearingIsClockwiseFromNorth) {
    EXPECT_NEAR(BearingBetween(0, 0, 0, 10), 0.0, 1e-12);
    EXPECT_NEAR(BearingBetween(0, 0, 10, 0), DegreesToRadians(90.0), 1e-12);
    EXPECT_NEAR(BearingBetween(0, 0, -10, 0), DegreesToRadians(270.0), 1e-12);
}

}  // namespace
}  // namespace vrk
