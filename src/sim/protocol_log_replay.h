// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers recorded in a protocol log, so that the virtual instrument can stand in for a
// customer's meter: the log as `qel11ctl --log` writes it and the SCPI console shows it,
// one entry per line,
//   "nn.ss.zzz SND : LINE"    a line the tool sent
//   "nn.ss.zzz REC : REPLY"   the reply to the query sent last
// (UTF-8, or Windows-1252 bytes as they were; a CR before the line end is dropped; other
// lines, such as the tool's own messages on the same stderr, are skipped).
//
// The k-th time a query arrives it gets the reply recorded for the k-th time it was sent,
// after the last recorded one that one again. A query that was sent without a REC entry
// got no answer then and gets none now. Settings lines, lines the log never sent, and
// queries whose recorded reply holds a NUL (the 6-byte header of a display read-out, whose
// data bytes the log does not keep) are answered by the instrument model.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel::sim {

class ProtocolLogReplay {
 public:
  // nullopt when the text holds no entry at all. The log holds each line as the tool
  // sent it; an output report carries at most `reportTextBytes` bytes of it with its line
  // feed, so a longer line is recorded as the instrument receives it (cut).
  static std::optional<ProtocolLogReplay> Parse(
      std::string_view text, std::size_t reportTextBytes = std::string_view::npos);

  enum class Kind {
    FromModel,  // not recorded: the instrument model answers
    Reply,      // the recorded reply
    Silent,     // recorded without a reply: no input report
  };
  struct Answer {
    Kind kind = Kind::FromModel;
    std::string reply;  // Windows-1252
    bool operator==(const Answer&) const = default;
  };

  // The answer to one arrival of `line` (without its line feed); counts the arrival.
  Answer Next(const std::string& line);

  // Entries read (SND and REC lines).
  std::size_t EntryCount() const { return entries_; }
  // Per query, its answer for each time it was sent, in order.
  const std::map<std::string, std::vector<Answer>>& Recorded() const { return recorded_; }

 private:
  std::map<std::string, std::vector<Answer>> recorded_;  // per query, one per time sent
  std::map<std::string, std::size_t> arrivals_;
  std::size_t entries_ = 0;
};

}  // namespace qel::sim
