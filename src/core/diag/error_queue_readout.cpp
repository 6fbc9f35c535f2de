// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/diag/error_queue_readout.h"

namespace qel {

ErrorQueueReadout ReadErrorQueue(ScpiSession& session) {
  ErrorQueueReadout readout;
  const std::string query(kErrorQueueQuery);
  while (readout.lines.size() < static_cast<std::size_t>(kMaxErrorQueueEntries)) {
    std::string reply = session.ScpiQuery(query);
    if (reply.empty()) {
      readout.end = ErrorQueueEnd::EmptyReply;
      return readout;
    }
    // Compared exactly: same case, nothing before or after.
    const bool stop = reply == kErrorQueueStopText;
    readout.lines.push_back(std::move(reply));
    if (stop) {
      readout.end = ErrorQueueEnd::StopText;
      return readout;
    }
  }
  readout.end = ErrorQueueEnd::EntryLimit;
  return readout;
}

}  // namespace qel
