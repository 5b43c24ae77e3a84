#pragma once

#include <atomic>

#include "interfaces/prompter.h"
#include "interfaces/sleeper.h"
#include "interfaces/text_view.h"
#include "link/byte_port.h"
#include "link/comm_settings.h"
#include "link/transfer_observer.h"

namespace vrk {

// Everything a transfer thread reaches: the settings (read live), the port it opens and closes,
// the view, the message boxes, the pauses, the progress line, and the request to give up
// (set when the program quits during a transfer).
struct TransferContext {
    const SharedCommSettings& settings;
    BytePort& port;
    TextView& view;
    Prompter& prompter;
    Sleeper& sleeper;
    TransferObserver& observer;
    const std::atomic<bool>& abandoned;
};

}  // namespace vrk
