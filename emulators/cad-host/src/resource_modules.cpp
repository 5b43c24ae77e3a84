#include "cadhost/resource_modules.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HINSTANCE>& chain() {
    static std::vector<HINSTANCE> modules;
    return modules;
}
}  // namespace

bool cadhostEnterResourceModule(HINSTANCE module) {
    if (module == nullptr || cadhostIsResourceModule(module)) {
        return false;
    }
    chain().push_back(module);
    return true;
}

bool cadhostLeaveResourceModule(HINSTANCE module) {
    return std::erase(chain(), module) != 0;
}

bool cadhostIsResourceModule(HINSTANCE module) {
    return std::find(chain().begin(), chain().end(), module) != chain().end();
}
