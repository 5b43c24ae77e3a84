// The warning sound of a refused character. Tests replace it to count beeps without a speaker.
#pragma once

#include <functional>

namespace quorbel::grid {

void beep();
// Replaces what beep() does; an empty function restores QApplication::beep().
void setBeepHook(std::function<void()> hook);

}  // namespace quorbel::grid
