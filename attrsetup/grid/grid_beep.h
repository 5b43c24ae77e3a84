// The warning sound of a refused character. Tests replace it to count beeps without a speaker.
#pragma once

#include <functional>

namespace quorbel::grid {

void Beep();
// Replaces what Beep() does; an empty function restores QApplication::beep().
void SetBeepHook(std::function<void()> hook);

}  // namespace quorbel::grid
