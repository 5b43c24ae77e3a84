#pragma once

#include <cstddef>
#include <optional>

namespace vrk {

// Points a reader keeps to orient later stations on: enough for any survey, bounded for any file.
inline constexpr std::size_t kMaxKnownPoints = 1'000'000;

// Angles of the files, to radians.
double GonToRadians(double gon);
double DegreesToRadians(double degrees);

// A station as a file sets it up: where it stands, how high the instrument is, and the angle to
// add to a horizontal circle reading to get a bearing (from north, clockwise). Lengths in metres.
struct StationSetup {
    double east = 0.0;
    double north = 0.0;
    std::optional<double> height;
    std::optional<double> instrumentHeight;
    double orientation = 0.0;  // radians
};

// One polar observation; lengths in metres, angles in radians (the vertical angle from the
// zenith). A slope distance needs the zenith angle; a horizontal distance stands alone.
struct PolarObservation {
    double horizontalAngle = 0.0;
    std::optional<double> zenithAngle;
    std::optional<double> slopeDistance;
    std::optional<double> horizontalDistance;
    std::optional<double> heightDifference;  // instrument axis to target, when the file gives it
    std::optional<double> targetHeight;
};

struct ReducedPoint {
    double east = 0.0;
    double north = 0.0;
    std::optional<double> height;  // only when the station height, both heights and a vertical
                                   // component are known
};

// The point the observation reaches; nullopt when it has no horizontal distance to go on.
std::optional<ReducedPoint> ReducePolar(const StationSetup& station, const PolarObservation& obs);

// The bearing (radians, 0 … 2π, clockwise from north) from one point to another.
double BearingBetween(double fromEast, double fromNorth, double toEast, double toNorth);

}  // namespace vrk
