#include "grid/column_filters.h"

#include <cstddef>

namespace quorbel::grid {

void ColumnFilters::set(std::string_view filter, int column) {
    if (column == kAllColumns) {
        m_filters.fill(std::string(filter));
        return;
    }
    if (column < 0 || column >= kMaxFilterColumns) {
        return;
    }
    m_filters[static_cast<std::size_t>(column)] = std::string(filter);
}

const std::string& ColumnFilters::get(int column) const {
    static const std::string kNone;
    if (column < 0 || column >= kMaxFilterColumns) {
        return kNone;
    }
    return m_filters[static_cast<std::size_t>(column)];
}

}  // namespace quorbel::grid
