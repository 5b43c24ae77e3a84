#pragma once

#include <string>
#include <vector>

#include "exchange_link.h"

namespace tssim {

// The instrument sends `lines` (each one framed data record) and EOT, paced by time with
// protocol None or by the computer's ACKs with Ack/Nak, with the download faults of the
// configuration.
ExchangeEnd runDownload(ExchangeLink& link, const std::vector<std::string>& lines);

}  // namespace tssim
