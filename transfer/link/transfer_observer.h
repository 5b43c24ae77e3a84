#pragma once

#include <cstddef>

#include "link/transfer_outcome.h"

namespace vrk {

// Progress of a running transfer, for a status line. Called from the transfer thread; every
// method may be ignored.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    // After each received byte: lines shown so far and bytes received so far.
    virtual void onReceived(std::size_t /*lines*/, std::size_t /*bytes*/) {}
    // After each block the instrument accepted: blocks sent, blocks in all, repetitions so far.
    virtual void onBlockSent(std::size_t /*sent*/, std::size_t /*total*/,
                             std::size_t /*repetitions*/) {}
    // A frame is being sent again after a reply other than ACK.
    virtual void onRepeat(std::size_t /*repetitions*/) {}
    // The transfer ends this way; the message that says so ("通讯超时", "通讯失败", "通讯结束")
    // is shown next.
    virtual void onEnd(TransferEnd /*end*/) {}
};

}  // namespace vrk
