#pragma once

#include <QString>
#include <string_view>

#include "cadhost/host_state.h"

namespace cadhost {

// Text for the screen: the host's own messages are UTF-8, a plug-in prints GBK bytes, which the
// host of a Chinese drawing office shows as Chinese.
QString displayText(std::string_view text, TextOrigin origin);

}  // namespace cadhost
