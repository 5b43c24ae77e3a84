#include "import/polar_reduction.h"

#include <cmath>
#include <numbers>

namespace vrk {

double GonToRadians(double gon) {
    return gon * std::numbers::pi / 200.0;
}

double DegreesToRadians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

std::optional<ReducedPoint> ReducePolar(const StationSetup& station, const PolarObservation& obs) {
    double horizontal = 0.0;
    std::optional<double> vertical = obs.heightDifference;
    if (obs.slopeDistance && obs.zenithAngle) {
        horizontal = *obs.slopeDistance * std::sin(*obs.zenithAngle);
        if (!vertical) {
            vertical = *obs.slopeDistance * std::cos(*obs.zenithAngle);
        }
    } else if (obs.horizontalDistance) {
        horizontal = *obs.horizontalDistance;
        const double sine = obs.zenithAngle ? std::sin(*obs.zenithAngle) : 0.0;
        if (!vertical && obs.zenithAngle && sine != 0.0) {
            vertical = horizontal * std::cos(*obs.zenithAngle) / sine;
        }
    } else {
        return std::nullopt;
    }
    const double bearing = obs.horizontalAngle + station.orientation;
    ReducedPoint point;
    point.east = station.east + horizontal * std::sin(bearing);
    point.north = station.north + horizontal * std::cos(bearing);
    if (station.height && station.instrumentHeight && obs.targetHeight && vertical) {
        point.height = *station.height + *station.instrumentHeight + *vertical - *obs.targetHeight;
    }
    return point;
}

double BearingBetween(double fromEast, double fromNorth, double toEast, double toNorth) {
    const double bearing = std::atan2(toEast - fromEast, toNorth - fromNorth);
    return bearing < 0.0 ? bearing + 2.0 * std::numbers::pi : bearing;
}

}  // namespace vrk
