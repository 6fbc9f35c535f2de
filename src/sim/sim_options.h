#pragma once
// Options of the virtual instrument (API and qel11-sim command line).

#include <cstdint>
#include <string>

namespace qel::sim {

struct SimOptions {
  std::uint64_t seed = 1;            // reading model; same seed, same readings
  std::uint16_t productId = 0xFE78;  // 0x003F is the other accepted ID
  int outputReportLength = 65;       // with report-ID byte; 66 is the other variant
  int inputReportLength = 65;
  int latencyMs = 0;             // delay before each input report
  long stopAnsweringAfter = -1;  // answer the first N lines, then stay silent
  long disconnectAfter = -1;     // unplug after the Nth line (its answer still arrives)
  long lateAnswerLine = -1;      // line number (1-based) whose answer comes late
  int lateAnswerDelayMs = 0;
  long garbageAfter = -1;   // replies to lines after N are random bytes
  long truncateAfter = -1;  // replies to lines after N are cut short
  std::string stateFile;    // keeps stored settings, probe memory, constants
  std::string recordFile;   // every received line is appended here, one per line
  std::string replayFile;   // a protocol log whose recorded replies answer (ProtocolLogReplay)
};

}  // namespace qel::sim
