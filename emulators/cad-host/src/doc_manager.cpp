#include "cadhost/doc_manager.h"

namespace {
// Any distinct address will do: the host's resources are never looked up through it here.
const char hostResourceAnchor = 0;
}  // namespace

HINSTANCE acedHostResourceHandle() {
    return const_cast<void*>(static_cast<const void*>(&hostResourceAnchor));
}

Acad::ErrorStatus AcApDocManager::pushResourceHandle(HINSTANCE hNewResourceHandle) {
    m_stack.push_back(hNewResourceHandle);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::popResourceHandle() {
    if (m_stack.empty()) {
        return Acad::eNotApplicable;
    }
    m_stack.pop_back();
    return Acad::eOk;
}

HINSTANCE AcApDocManager::resourceHandle() const {
    return m_stack.empty() ? acedHostResourceHandle() : m_stack.back();
}

void AcApDocManager::truncateResourceHandles(std::size_t depth) {
    if (depth < m_stack.size()) {
        m_stack.resize(depth);
    }
}
