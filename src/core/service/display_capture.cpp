// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/display_capture.h"

#include <algorithm>
#include <string>

namespace qel {

CaptureStatus CaptureDisplayImage(ScpiSession& session, DisplayImageBuffer& buffer) {
  const std::uint64_t unansweredBefore = session.UnansweredLines();
  int chunk = kHardcopyChunkLength;
  session.ScpiQuery("INTE:HCLN " + std::to_string(chunk));
  session.ScpiQuery("INTE:HCOF 0");

  // Chunks go into a copy first, so a capture that gets nothing leaves the buffer alone.
  DisplayImageBuffer captured = buffer;
  int chunksArrived = 0;
  int chunksMissed = 0;
  for (int offset = 0; offset < kDisplayMemorySize; offset += chunk) {
    if (offset + chunk > kDisplayMemorySize - 1) {
      chunk = kDisplayMemorySize - offset;
      session.ScpiQuery("INTE:HCLN " + std::to_string(chunk));
    }
    // RawReply is refreshed only by a non-empty reply; after a missing one it still holds
    // an earlier chunk, which must not be copied here.
    if (session.ScpiQueryRaw("INTE:HC?").empty()) {
      ++chunksMissed;
      continue;
    }
    ++chunksArrived;
    const auto& raw = session.RawReply();
    const std::size_t count = std::min<std::size_t>(chunk, raw.size() - kHardcopyHeaderLength);
    std::copy_n(raw.begin() + kHardcopyHeaderLength, count, captured.begin() + offset);
  }

  if (chunksArrived == 0) return CaptureStatus::NoReply;
  buffer = captured;
  const bool everyLineAnswered = session.UnansweredLines() == unansweredBefore;
  return chunksMissed == 0 && everyLineAnswered ? CaptureStatus::Complete
                                                : CaptureStatus::Incomplete;
}

}  // namespace qel
