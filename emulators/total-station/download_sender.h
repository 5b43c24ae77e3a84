#pragma once

#include <string>
#include <vector>

#include "exchange_link.h"

namespace tssim {

// The instrument sends `lines` (each one framed data record) and EOT, paced by time with
// protocol None or by the computer's ACKs with Ack/Nak (`protocol` is None or AckNak), with
// the download faults of the configuration. `started`: the start (start signal or ENQ) has
// already been seen.
ExchangeEnd runDownload(ExchangeLink& link, const std::vector<std::string>& lines,
                        Protocol protocol, bool started = false);

}  // namespace tssim
