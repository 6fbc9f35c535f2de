// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/protocol_log_replay.h"

#include <algorithm>

#include "core/text/win1252.h"

namespace qel::sim {
namespace {

bool Digits(std::string_view text, std::size_t at, std::size_t count) {
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

// "nn.ss.zzz " then "SND : " or "REC : ": 16 characters before the text.
constexpr std::size_t kHeadLength = 16;

bool IsEntry(std::string_view line, std::string_view marker) {
  return line.size() >= kHeadLength && Digits(line, 0, 2) && line[2] == '.' && Digits(line, 3, 2) &&
         line[5] == '.' && Digits(line, 6, 3) && line[9] == ' ' && line.substr(10, 6) == marker;
}

// The log is written in UTF-8; a log saved with the system's own bytes stays as it is.
std::string SystemText(std::string_view text) {
  std::string converted = Utf8ToWin1252(text);
  if (Win1252ToUtf8(converted) == text) return converted;
  return std::string(text);
}

// A sent line as an output report of `textBytes` bytes after the report ID delivers it:
// with its line feed, cut to the report, up to a NUL, without the line end.
std::string AsReceived(std::string line, std::size_t textBytes) {
  line = (line + '\n').substr(0, textBytes);
  line.erase(std::min(line.find('\0'), line.size()));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

}  // namespace

std::optional<ProtocolLogReplay> ProtocolLogReplay::Parse(std::string_view text,
                                                          std::size_t reportTextBytes) {
  ProtocolLogReplay replay;
  Answer* awaiting = nullptr;  // the query sent last, until its REC entry
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (IsEntry(line, "SND : ")) {
      ++replay.entries_;
      const std::string sent = SystemText(line.substr(kHeadLength));
      awaiting = nullptr;
      if (sent.find('?') == std::string::npos) continue;  // a settings line
      auto& answers = replay.recorded_[AsReceived(sent, reportTextBytes)];
      answers.push_back({Kind::Silent, {}});
      awaiting = &answers.back();
    } else if (IsEntry(line, "REC : ")) {
      ++replay.entries_;
      if (awaiting == nullptr) continue;
      std::string reply = SystemText(line.substr(kHeadLength));
      *awaiting = reply.find('\0') == std::string::npos ? Answer{Kind::Reply, std::move(reply)}
                                                        : Answer{Kind::FromModel, {}};
      awaiting = nullptr;
    }
  }
  if (replay.entries_ == 0) return std::nullopt;
  return replay;
}

ProtocolLogReplay::Answer ProtocolLogReplay::Next(const std::string& line) {
  const auto found = recorded_.find(line);
  if (found == recorded_.end()) return {};
  const std::vector<Answer>& answers = found->second;
  std::size_t& arrival = arrivals_[line];
  const Answer& answer = answers[std::min(arrival, answers.size() - 1)];
  ++arrival;
  return answer;
}

}  // namespace qel::sim
