#pragma once

#include <functional>

#include "exchange_link.h"
#include "upload_receiver.h"

namespace tssim {

// The instrument receives an upload: frames are judged by `receiver`, answered on the line
// with the upload faults of the configuration, and `published` after each one. `received`:
// bytes of the upload already read. `detectNone`: stop answering once the computer leaves an
// answer unread (it then uses protocol None).
ExchangeEnd runUpload(ExchangeLink& link, UploadReceiver& receiver,
                      const std::function<void(const UploadReceiver&)>& published,
                      std::string received = {}, bool detectNone = false);

}  // namespace tssim
