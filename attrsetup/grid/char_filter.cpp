#include "grid/char_filter.h"

#include "grid/grid_constants.h"

namespace quorbel::grid {

bool filterAccepts(std::string_view filter, char32_t character) {
    if (filter.empty()) {
        return true;
    }
    if (character < 0x80 && filter.find(static_cast<char>(character)) != std::string_view::npos) {
        return true;
    }
    return character == kBackspace || character == kCtrlC || character == kCtrlV ||
           character == kCtrlX;
}

}  // namespace quorbel::grid
