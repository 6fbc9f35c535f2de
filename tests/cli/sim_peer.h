// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A report-stream peer in front of the instrument model: stateful (a setting sticks), with
// replies that can be replaced per line and a point after which it falls silent.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "report_stream_peer.h"
#include "sim/instrument.h"

namespace qel::testing {

struct SimPeer {
  std::mutex mutex;
  sim::Instrument instrument{7};
  long silentAfter = -1;  // answer this many lines, then none
  long count = 0;
  std::map<std::string, std::string> replaced;  // line -> reply instead of the model's
  ReportStreamPeer peer{QelHello(), [this](const std::string& line) {
                          std::lock_guard lock(mutex);
                          ReportStreamPeer::Answer answer;
                          answer.silent = silentAfter >= 0 && count >= silentAfter;
                          ++count;
                          if (!answer.silent) answer.text = instrument.HandleLine(line);
                          if (const auto it = replaced.find(line); it != replaced.end()) {
                            answer.text = it->second;
                          }
                          return answer;
                        }};
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (std::string line : peer.Lines()) {
      if (!line.empty() && line.back() == '\n') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
};

}  // namespace qel::testing
