#include "survey/label_placement.h"

#include <algorithm>
#include <cmath>

namespace vrk {

namespace {

class OccupancyGrid {
  public:
    OccupancyGrid(double width, double height, double cell)
        : cell_(cell),
          columns_(static_cast<long>(std::ceil(width / cell))),
          rows_(static_cast<long>(std::ceil(height / cell))),
          taken_(static_cast<std::size_t>(std::max(columns_ * rows_, 0L)), false) {}

    // Takes the cells under `box` when all are free and inside the grid.
    bool take(const LabelBox& box) {
        const long left = static_cast<long>(std::floor(box.left / cell_));
        const long top = static_cast<long>(std::floor(box.top / cell_));
        const long right = static_cast<long>(std::floor((box.left + box.width) / cell_));
        const long bottom = static_cast<long>(std::floor((box.top + box.height) / cell_));
        if (left < 0 || top < 0 || right >= columns_ || bottom >= rows_) {
            return false;
        }
        for (long row = top; row <= bottom; ++row) {
            for (long column = left; column <= right; ++column) {
                if (taken_[index(row, column)]) {
                    return false;
                }
            }
        }
        for (long row = top; row <= bottom; ++row) {
            std::fill_n(taken_.begin() + static_cast<long>(index(row, left)), right - left + 1,
                        true);
        }
        return true;
    }

  private:
    std::size_t index(long row, long column) const {
        return static_cast<std::size_t>(row * columns_ + column);
    }

    double cell_;
    long columns_;
    long rows_;
    std::vector<bool> taken_;
};

}  // namespace

std::vector<std::size_t> PlaceLabels(const std::vector<LabelBox>& boxes, double width,
                                     double height, double cell) {
    std::vector<std::size_t> kept;
    if (!(cell > 0) || !(width > 0) || !(height > 0)) {
        return kept;
    }
    OccupancyGrid grid(width, height, cell);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const LabelBox& box = boxes[i];
        if (std::isfinite(box.left) && std::isfinite(box.top) && grid.take(box)) {
            kept.push_back(i);
        }
    }
    return kept;
}

}  // namespace vrk
