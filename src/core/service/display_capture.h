// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the instrument's display memory in chunks: "INTE:HCLN " sets the chunk length,
// "INTE:HCOF " the start offset (sent once per capture, the instrument moves on by
// itself), and each "INTE:HC?" answers a 6-character header and one chunk.
//
// One capture sends exactly 25 lines:
//   INTE:HCLN 48, INTE:HCOF 0, 21 x INTE:HC? (offsets 0..960), INTE:HCLN 16, INTE:HC?
//
// Where a chunk sits in the raw reply (RawReply index = input report byte - 1):
//   @0  length 6      header, not interpreted
//   @6  length chunk  display memory bytes offset .. offset + chunk - 1

#include <array>
#include <cstdint>

#include "core/link/scpi_session.h"

namespace qel {

inline constexpr int kDisplayMemorySize = 1024;
inline constexpr int kHardcopyChunkLength = 48;
inline constexpr int kHardcopyHeaderLength = 6;
// "Dauer": the pause from the end of one capture to the start of the next.
inline constexpr int kContinuousCapturePauseMs = 20;

// The display memory as last captured; all zero at start, kept between captures.
using DisplayImageBuffer = std::array<std::uint8_t, kDisplayMemorySize>;

enum class CaptureStatus {
  Complete,    // every line was answered and every chunk arrived
  Incomplete,  // some lines got no answer; the chunks that did not come are left as
               // they were in the buffer (stale bytes of another chunk are never copied)
  NoReply,     // no chunk arrived at all: the buffer is unchanged, and the picture and
               // clipboard are to be left as they were
};

// One capture into `buffer`.
CaptureStatus CaptureDisplayImage(ScpiSession& session, DisplayImageBuffer& buffer);

}  // namespace qel
