// SPDX-License-Identifier: GPL-3.0-or-later
// Every fault of the virtual instrument against every link-level action, over the report
// stream on loopback. Each cell asserts three things: the action ends within the link's
// time limit (one time-out at most, with a generous margin), no report is ever taken as
// the answer to another line, and the same action after the fault has cleared gets every
// answer right.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "core/diag/error_queue_readout.h"
#include "core/pages/display_readout.h"
#include "core/pages/parameter_pages.h"
#include "core/service/display_capture.h"
#include "fault_harness.h"

namespace qel::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kTimeLimitMs = 300;
constexpr auto kTimeLimit = std::chrono::milliseconds(kTimeLimitMs);
// What an action may cost: one time limit, 10 % over, plus room for its own lines on a
// busy machine.
constexpr auto kActionBound = kTimeLimit * 11 / 10 + 250ms;
constexpr auto kHoldOff = std::chrono::milliseconds(HidLink::kHoldOffMs);
// How long a report owed to a timed-out line is waited for: shorter than the link's
// default so the silent rows stay quick, longer than the late rows need.
constexpr auto kOwedLifetime = 3000ms;

struct Action {
  const char* name;
  long faultLine;  // which of the action's lines the fault hits
  std::function<void(ScpiSession&)> run;
};

struct Fault {
  const char* name;
  std::function<void(sim::SimOptions&, long line)> inject;
  std::chrono::milliseconds clearAfter;  // from the end of the faulted action
  bool atConnect = false;                // the fault bites while connecting
};

const std::vector<Action>& Actions() {
  static const std::vector<Action> actions = {
      {"OneQuery", 1, [](ScpiSession& s) { s.ScpiQuery("*IDN?"); }},
      {"ReadAll", 2, [](ScpiSession& s) { ParameterPages().ReadAll(s); }},
      {"WriteAll", 2, [](ScpiSession& s) { ParameterPages().WriteAll(s); }},
      {"LiveRead", 2, [](ScpiSession& s) { DisplayReadout().ReadDisplay(s, '.'); }},
      {"Hardcopy", 2,
       [](ScpiSession& s) {
         DisplayImageBuffer buffer{};
         CaptureDisplayImage(s, buffer);
       }},
      {"ErrorReadout", 2, [](ScpiSession& s) { ReadErrorQueue(s); }},
  };
  return actions;
}

const std::vector<Fault>& Faults() {
  static const std::vector<Fault> faults = {
      // A line never answered: its owed report has to expire first.
      {"Silent",
       [](sim::SimOptions& o, long n) {
         o.silentLines = {n, n};
       },
       kOwedLifetime + 100ms},
      {"LateWithinLimit",
       [](sim::SimOptions& o, long n) {
         o.lateAnswerLine = n;
         o.lateAnswerDelayMs = kTimeLimitMs / 2;
       },
       0ms},
      // The answer comes while the next action waits for its first line.
      {"LateBeyondHoldOff",
       [](sim::SimOptions& o, long n) {
         o.lateAnswerLine = n;
         o.lateAnswerDelayMs = kTimeLimitMs + HidLink::kHoldOffMs + kTimeLimitMs / 2;
       },
       kHoldOff + 20ms},
      {"CutFrame", [](sim::SimOptions& o, long n) { o.cutFrameLine = n; }, kHoldOff + 100ms},
      {"Garbage",
       [](sim::SimOptions& o, long n) {
         o.garbageLines = {n, n};
       },
       0ms},
      {"Truncated",
       [](sim::SimOptions& o, long n) {
         o.truncateLines = {n, n};
       },
       0ms},
      // The instrument's thread closes the connection just after the answer has gone out;
      // a scan at once could still find it open and the next action then lose its line.
      {"DisconnectAfterAnswer", [](sim::SimOptions& o, long n) { o.disconnectAfter = n; }, 200ms},
      {"DisconnectMidLine", [](sim::SimOptions& o, long n) { o.dropLine = n; }, 0ms},
      // The failed connect is tried again after the back-off.
      {"NoHello", [](sim::SimOptions& o, long) { o.connectionsWithoutHello = 1; },
       std::chrono::milliseconds(ReportStreamBackend::kConnectBackOffMs + 100), true},
  };
  return faults;
}

using Cell = std::tuple<std::size_t, std::size_t>;  // fault, action

class FaultMatrix : public ::testing::TestWithParam<Cell> {};

template <class F>
Clock::duration Timed(F&& f) {
  const auto start = Clock::now();
  f();
  return Clock::now() - start;
}

TEST_P(FaultMatrix, BoundedInStepAndRecovers) {
  const Fault& fault = Faults()[std::get<0>(GetParam())];
  const Action& action = Actions()[std::get<1>(GetParam())];
  sim::SimOptions options;
  options.stampReports = true;
  fault.inject(options, action.faultLine);
  ServedSim sim(options);
  // Two queued errors, so the error read-out has more than one line.
  sim.Backend().WithInstrument([](sim::Instrument& i) {
    i.errors().Push(-113, "Undefined header");
    i.errors().Push(-224, "Illegal parameter value");
  });
  ToolSession tool(sim.Port(), kTimeLimitMs);
  tool.link.SetOwedReportLifetimeMs(static_cast<int>(kOwedLifetime.count()));

  const auto scan = Timed([&] { tool.link.ScanNow(); });
  EXPECT_LE(scan, kActionBound) << "connecting";
  if (!fault.atConnect) {
    ASSERT_TRUE(tool.link.Connected());
  }
  const auto faulted = Timed([&] { action.run(tool.session); });
  EXPECT_LE(faulted + (fault.atConnect ? scan : 0s), kActionBound) << "the faulted action";

  // As the rescan timer does: one scan notices a dropped connection, the next reconnects.
  std::this_thread::sleep_for(fault.clearAfter);
  for (int i = 0; i < 3 && (i < 2 || !tool.link.Connected()); ++i) tool.link.ScanNow();
  ASSERT_TRUE(tool.link.Connected()) << "no reconnect after the fault";
  const auto unansweredBefore = tool.session.UnansweredLines();
  const auto next = Timed([&] { action.run(tool.session); });
  EXPECT_LE(next, kActionBound) << "the action after the fault";
  EXPECT_EQ(tool.session.UnansweredLines(), unansweredBefore)
      << "the action after the fault missed answers";

  const auto misplaced = MisplacedReplies(tool.linkLog.Lines(), sim.Backend().Answers());
  EXPECT_TRUE(misplaced.empty()) << misplaced.size()
                                 << " replies on a wrong line, first: " << misplaced.front();
}

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
  return std::string(Faults()[std::get<0>(info.param)].name) + "_" +
         Actions()[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix,
                         ::testing::Combine(::testing::Range<std::size_t>(0, 9),
                                            ::testing::Range<std::size_t>(0, 6)),
                         CellName);

}  // namespace
}  // namespace qel::testing
