// The characters each column's edit box accepts. An empty filter accepts everything.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "grid/grid_constants.h"

namespace quorbel::grid {

class ColumnFilters {
  public:
    // Column kAllColumns sets every filter; an index outside the filter range changes nothing.
    void set(std::string_view filter, int column);
    // The filter of column, empty for a column without one.
    const std::string& get(int column) const;

  private:
    std::array<std::string, kMaxFilterColumns> m_filters;
};

}  // namespace quorbel::grid
