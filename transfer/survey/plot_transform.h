#pragma once

#include <vector>

#include "survey/survey_point.h"

namespace vrk {

// A place on the plot's surface in pixels, y growing downwards.
struct PlotPixel {
    double px = 0.0;
    double py = 0.0;
};

// A ground position: y east, x north, in metres.
struct GroundPosition {
    double y = 0.0;
    double x = 0.0;
};

struct GroundBounds {
    double minY = 0.0;
    double maxY = 0.0;
    double minX = 0.0;
    double maxX = 0.0;
    bool empty = true;
};

GroundBounds BoundsOf(const std::vector<SurveyPoint>& points);

// Ground to plot: east to the right, north up, the same scale on both axes.
class PlotTransform {
  public:
    // The scale and centre that show `bounds` whole in a surface of `width` × `height` pixels,
    // `margin` pixels kept free at every side. A single point (or none) gets one metre per pixel.
    void fit(const GroundBounds& bounds, double width, double height, double margin);
    // Keeps the ground under `at` where it is.
    void zoomAbout(PlotPixel at, double factor);
    void panBy(double dx, double dy);
    void resize(double width, double height);

    PlotPixel toPixel(double y, double x) const {
        return {width_ / 2 + (y - centre_.y) * pixelsPerMetre_,
                height_ / 2 - (x - centre_.x) * pixelsPerMetre_};
    }
    GroundPosition toGround(PlotPixel at) const;
    double pixelsPerMetre() const { return pixelsPerMetre_; }

  private:
    GroundPosition centre_;
    double pixelsPerMetre_ = 1.0;
    double width_ = 1.0;
    double height_ = 1.0;
};

// A scale bar of a round length (1, 2 or 5 times a power of ten metres) no longer than
// `maxPixels` at this scale.
struct ScaleBar {
    double metres = 0.0;
    double pixels = 0.0;
};
ScaleBar RoundScaleBar(double pixelsPerMetre, double maxPixels);

}  // namespace vrk
