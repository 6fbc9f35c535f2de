// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual instrument served over the report-stream protocol on loopback, and the
// tool's link talking to it, for fault tests: the link log is kept whole (Debug on), so
// every report the link handed up can be matched with what the instrument recorded it
// answered to which line.

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/link/hid_link.h"
#include "core/link/report_stream_backend.h"
#include "core/link/scpi_session.h"
#include "sim/report_stream_server.h"
#include "sim/sim_backend.h"

namespace qel::testing {

class ServedSim {
 public:
  explicit ServedSim(sim::SimOptions options);
  ~ServedSim();
  ServedSim(const ServedSim&) = delete;
  ServedSim& operator=(const ServedSim&) = delete;

  sim::SimBackend& Backend() { return backend_; }
  int Port() const { return server_.port(); }

 private:
  sim::SimBackend backend_;
  sim::ReportStreamServer server_{backend_};
  std::thread thread_;
};

// A log that is never trimmed or emptied: the whole session stays readable.
class TraceLog : public LogView {
 public:
  std::size_t LineCount() const override { return 0; }
  void DeleteFirstLine() override {}
  void AppendLine(const std::string& line) override { lines_.push_back(line); }
  void Clear() override {}
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// The link as qel11ctl and the window program build it for --device tcp:127.0.0.1:PORT
// --timeout timeoutMs.
struct ToolSession {
  ToolSession(int port, int timeoutMs);

  std::unique_ptr<HidBackend> backend;
  TraceLog linkLog;
  HidLink link{*backend, linkLog};
  MemoryLog protocol;
  ScpiSession session{link, &protocol};
};

// Every report the link handed up (a "REC:" line of its log) whose bytes are not the
// instrument's answer to the line the link had just written, described for a failure
// message. Lines are counted per connection ("Device Change " starts a new one), as the
// instrument's stamps count them.
std::vector<std::string> MisplacedReplies(const std::vector<std::string>& linkLog,
                                          const std::vector<sim::AnswerRecord>& answers);

}  // namespace qel::testing
