// SPDX-License-Identifier: GPL-3.0-or-later
// A protocol log given to qel11-sim --replay (a customer's file). Properties:
//  - a log that parses has entries, and every query it recorded has an answer per time
//    it was sent; a recorded reply holds no line end and no NUL;
//  - the answers, written again as a log (UTF-8, one entry per line), parse to the same
//    answers (unless a reply ends in CR, which belongs to the line end, or a query lost
//    its "?" at a NUL);
//  - after the last recorded answer, the same answer comes again.

#include <cstdint>
#include <string>

#include "core/text/win1252.h"
#include "fuzz_check.h"
#include "sim/protocol_log_replay.h"

namespace {

using qel::sim::ProtocolLogReplay;

std::string Describe(const std::string& line) {
  return line + " in:\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  auto replay = ProtocolLogReplay::Parse(text);
  if (!replay) return 0;
  FUZZ_CHECK(replay->EntryCount() > 0, text);

  std::string again;
  bool representable = true;
  for (const auto& [line, answers] : replay->Recorded()) {
    FUZZ_CHECK(!answers.empty(), Describe(line) + text);
    // A query cut at a NUL (as the instrument receives it) may have lost its "?".
    representable = representable && line.find('?') != std::string::npos;
    for (const ProtocolLogReplay::Answer& answer : answers) {
      FUZZ_CHECK(answer.reply.find_first_of(std::string("\n\0", 2)) == std::string::npos,
                 Describe(line) + text);
      again += "00.00.000 SND : " + qel::Win1252ToUtf8(line) + "\n";
      if (answer.kind == ProtocolLogReplay::Kind::Reply) {
        again += "00.00.000 REC : " + qel::Win1252ToUtf8(answer.reply) + "\n";
        representable = representable && !answer.reply.ends_with('\r');
      } else if (answer.kind == ProtocolLogReplay::Kind::FromModel) {
        again += std::string("00.00.000 REC : \0\n", 18);
      }
    }
  }
  if (representable && !again.empty()) {
    const auto reparsed = ProtocolLogReplay::Parse(again);
    FUZZ_CHECK(reparsed && reparsed->Recorded() == replay->Recorded(), again);
  }

  for (const auto& [line, answers] : replay->Recorded()) {
    ProtocolLogReplay::Answer last;
    for (std::size_t i = 0; i < answers.size(); ++i) last = replay->Next(line);
    FUZZ_CHECK(last == answers.back(), Describe(line) + text);
    FUZZ_CHECK(replay->Next(line) == answers.back(), Describe(line) + text);
  }
  return 0;
}
