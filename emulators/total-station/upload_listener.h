#pragma once

#include <functional>

#include "exchange_link.h"
#include "upload_receiver.h"

namespace tssim {

// The instrument receives an upload: frames are judged by `receiver`, answered on the line
// with the upload faults of the configuration, and `published` after each one.
ExchangeEnd runUpload(ExchangeLink& link, UploadReceiver& receiver,
                      const std::function<void(const UploadReceiver&)>& published);

}  // namespace tssim
