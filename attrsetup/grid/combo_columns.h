// The columns whose cells are edited with the drop-down list instead of the edit box.
#pragma once

#include <set>

namespace quorbel::grid {

class ComboColumns {
  public:
    void set(int column, bool isCombo);
    bool contains(int column) const { return m_columns.count(column) != 0; }

  private:
    std::set<int> m_columns;
};

}  // namespace quorbel::grid
