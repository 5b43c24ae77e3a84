#pragma once

#include <cstddef>
#include <vector>

namespace vrk {

// A label's box on the plot, in pixels.
struct LabelBox {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// Thins labels out: takes the boxes in order and keeps each one that overlaps none kept before
// it. Boxes outside the `width` × `height` surface are never kept. Answers the kept indices.
// Occupancy is tracked on a grid of `cell`-pixel squares, so the time grows with the number of
// boxes, not with the number kept.
std::vector<std::size_t> PlaceLabels(const std::vector<LabelBox>& boxes, double width,
                                     double height, double cell);

}  // namespace vrk
