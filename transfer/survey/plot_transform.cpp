#include "survey/plot_transform.h"

#include <algorithm>
#include <cmath>

namespace vrk {

GroundBounds BoundsOf(const std::vector<SurveyPoint>& points) {
    GroundBounds bounds;
    for (const SurveyPoint& point : points) {
        if (!std::isfinite(point.y) || !std::isfinite(point.x)) {
            continue;
        }
        if (bounds.empty) {
            bounds = {point.y, point.y, point.x, point.x, false};
            continue;
        }
        bounds.minY = std::min(bounds.minY, point.y);
        bounds.maxY = std::max(bounds.maxY, point.y);
        bounds.minX = std::min(bounds.minX, point.x);
        bounds.maxX = std::max(bounds.maxX, point.x);
    }
    return bounds;
}

void PlotTransform::fit(const GroundBounds& bounds, double width, double height, double margin) {
    resize(width, height);
    if (bounds.empty) {
        centre_ = {};
        pixelsPerMetre_ = 1.0;
        return;
    }
    centre_ = {(bounds.minY + bounds.maxY) / 2, (bounds.minX + bounds.maxX) / 2};
    const double spanY = bounds.maxY - bounds.minY;
    const double spanX = bounds.maxX - bounds.minX;
    const double usableWidth = std::max(width - 2 * margin, 1.0);
    const double usableHeight = std::max(height - 2 * margin, 1.0);
    if (spanY <= 0 && spanX <= 0) {
        pixelsPerMetre_ = 1.0;
        return;
    }
    const double byWidth = spanY > 0 ? usableWidth / spanY : HUGE_VAL;
    const double byHeight = spanX > 0 ? usableHeight / spanX : HUGE_VAL;
    pixelsPerMetre_ = std::min(byWidth, byHeight);
    if (!std::isfinite(pixelsPerMetre_) || pixelsPerMetre_ <= 0) {
        pixelsPerMetre_ = 1.0;
    }
}

void PlotTransform::zoomAbout(PlotPixel at, double factor) {
    const GroundPosition fixed = toGround(at);
    const double scaled = pixelsPerMetre_ * factor;
    if (!std::isfinite(scaled) || scaled <= 0) {
        return;
    }
    pixelsPerMetre_ = scaled;
    centre_.y = fixed.y - (at.px - width_ / 2) / pixelsPerMetre_;
    centre_.x = fixed.x + (at.py - height_ / 2) / pixelsPerMetre_;
}

void PlotTransform::panBy(double dx, double dy) {
    centre_.y -= dx / pixelsPerMetre_;
    centre_.x += dy / pixelsPerMetre_;
}

void PlotTransform::resize(double width, double height) {
    width_ = std::max(width, 1.0);
    height_ = std::max(height, 1.0);
}

GroundPosition PlotTransform::toGround(PlotPixel at) const {
    return {centre_.y + (at.px - width_ / 2) / pixelsPerMetre_,
            centre_.x - (at.py - height_ / 2) / pixelsPerMetre_};
}

ScaleBar RoundScaleBar(double pixelsPerMetre, double maxPixels) {
    const double maxMetres = maxPixels / pixelsPerMetre;
    if (!std::isfinite(maxMetres) || maxMetres <= 0) {
        return {};
    }
    const double power = std::pow(10.0, std::floor(std::log10(maxMetres)));
    double metres = power;
    for (const double step : {5.0, 2.0}) {
        if (power * step <= maxMetres) {
            metres = power * step;
            break;
        }
    }
    return {metres, metres * pixelsPerMetre};
}

}  // namespace vrk
