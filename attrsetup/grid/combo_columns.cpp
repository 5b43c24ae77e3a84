#include "grid/combo_columns.h"

namespace quorbel::grid {

void ComboColumns::set(int column, bool isCombo) {
    if (isCombo) {
        m_columns.insert(column);
    } else {
        m_columns.erase(column);
    }
}

}  // namespace quorbel::grid
