// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Empties the instrument's SCPI error queue and lists every entry it held. The error
// status page and the hidden "QEL11 Fehler auslesen " window both show this read-out.
//
// Each "syst:err?" answers and removes the oldest entry; an empty queue answers the stop
// text. The read-out also ends on an empty reply (no instrument, no answer) and after
// kMaxErrorQueueEntries queries, so an instrument that never answers the stop text
// (code 0 in another form, a garbled reply) cannot hold the window for ever.

#include <string>
#include <string_view>
#include <vector>

#include "core/link/scpi_session.h"

namespace qel {

inline constexpr std::string_view kErrorQueueQuery = "syst:err?";
inline constexpr std::string_view kErrorQueueStopText = "0,\"No error\"";
inline constexpr int kMaxErrorQueueEntries = 100;

enum class ErrorQueueEnd {
  StopText,    // the queue is empty: the stop text is the last line
  EmptyReply,  // a query got empty text; that reply is not listed
  EntryLimit,  // kMaxErrorQueueEntries replies without the stop text
};

struct ErrorQueueReadout {
  std::vector<std::string> lines;  // the replies in the order they came, stop text included
  ErrorQueueEnd end = ErrorQueueEnd::EmptyReply;
};

ErrorQueueReadout ReadErrorQueue(ScpiSession& session);

}  // namespace qel
