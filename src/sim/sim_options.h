// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Options of the virtual instrument (API and qel11-sim command line).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/link/hid_backend.h"

namespace qel::sim {

// Received lines first..last (1-based, both included); empty when first is -1.
struct LineRange {
  long first = -1;
  long last = -1;
  bool Contains(long line) const { return first >= 1 && line >= first && line <= last; }
};

// "N" or "N-M" with minimum <= N <= M; nullopt otherwise.
std::optional<std::pair<long, long>> ParseNumberRange(const std::string& text, long minimum);
// A line range: "N" or "N-M" with 1 <= N <= M.
std::optional<LineRange> ParseLineRange(const std::string& text);

struct SimOptions {
  std::uint64_t seed = 1;            // reading model; same seed, same readings
  std::uint16_t productId = 0xFE78;  // 0x003F is the other accepted ID
  // with report-ID byte; 66 is the other output variant
  int outputReportLength = static_cast<int>(kReportSize);
  int inputReportLength = static_cast<int>(kReportSize);
  int latencyMs = 0;              // delay before each input report
  long stopAnsweringAfter = -1;   // answer the first N lines, then stay silent
  LineRange silentLines;          // these lines get no answer; later ones do again
  long disconnectAfter = -1;      // unplug after the Nth line (its answer still arrives)
  long dropLine = -1;             // unplug when line N arrives, without answering it
  long lateAnswerLine = -1;       // line number (1-based) whose answer comes late
  int lateAnswerDelayMs = 0;      // how late; with lateAnswerDelayMaxMs a random time
  int lateAnswerDelayMaxMs = -1;  //   from lateAnswerDelayMs to this
  int latePercent = 0;            // every line is late with this chance (random, by seed)
  long garbageAfter = -1;         // replies to lines after N are random bytes
  LineRange garbageLines;         // replies to these lines are random bytes
  long truncateAfter = -1;        // replies to lines after N are cut short
  LineRange truncateLines;        // replies to these lines are cut short
  // Report stream only: the answer to line N goes out as a frame that announces the whole
  // report but carries only its first kCutFrameBytes bytes; then the connection stays
  // silent until the tool closes it.
  long cutFrameLine = -1;
  int connectionsWithoutHello = 0;  // report stream: the first N connections get no hello
  // Test aid: the last 4 bytes of an input report whose reply leaves room carry the
  // connection's number and the line's number on it (see faults.h).
  bool stampReports = false;
  std::string stateFile;   // keeps stored settings, probe memory, constants
  std::string recordFile;  // every received line is appended here, one per line
  std::string replayFile;  // a protocol log whose recorded replies answer (ProtocolLogReplay)
};

}  // namespace qel::sim
