#pragma once

#include <cstddef>
#include <vector>

#include "arx_types.h"

// The part of the host's document manager that plug-ins use: the stack of resource handles under
// which dialog templates, menus and strings are looked up.
class AcApDocManager {
  public:
    Acad::ErrorStatus pushResourceHandle(HINSTANCE hNewResourceHandle);
    // eNotApplicable when nothing was pushed: the host's own handle is never popped.
    Acad::ErrorStatus popResourceHandle();

    // The handle on top, or the host's own when nothing is pushed.
    HINSTANCE resourceHandle() const;
    std::size_t pushedResourceHandles() const { return m_stack.size(); }
    // Host side: drops what a misbehaving command left pushed.
    void truncateResourceHandles(std::size_t depth);

  private:
    std::vector<HINSTANCE> m_stack;
};

AcApDocManager* acDocManagerPtr();

// The handle that stands for the host's own resources.
HINSTANCE acedHostResourceHandle();
