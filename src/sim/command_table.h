// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instrument's command set: one entry per header, with what a query answers and
// what a setting does. Handlers report bad arguments through the context, which puts the
// SCPI error into the queue.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/error_queue.h"
#include "sim/header_pattern.h"

namespace qel::sim {

class Instrument;

class CommandContext {
 public:
  CommandContext(Instrument& instrument, const std::vector<int>& suffixes,
                 const std::vector<std::string>& arguments)
      : instrument(instrument), suffixes_(suffixes), arguments_(arguments) {}

  Instrument& instrument;

  // Value of the n-th "#" of the header (0-based).
  int Suffix(std::size_t n = 0) const { return suffixes_.at(n); }
  const std::vector<std::string>& arguments() const { return arguments_; }

  // Argument readers for settings of one argument. Each puts -109 (none), -108 (more
  // than one) or -224 (unreadable, out of range) into the error queue and gives nullopt.
  std::optional<std::string> Argument();
  std::optional<int> Token(std::span<const std::string_view> list);
  std::optional<double> Number();
  std::optional<long> Integer(long min, long max);
  std::optional<bool> Boolean();        // 0, 1, OFF, ON
  std::optional<std::string> String();  // SCPI string data in quotes
  // For settings that take no argument: false (and -108) when one was given.
  bool NoArguments();

  void Fail(const ScpiError& error);
  bool failed() const { return failed_; }

 private:
  const std::vector<int>& suffixes_;
  const std::vector<std::string>& arguments_;
  bool failed_ = false;
};

using QueryHandler = std::function<std::optional<std::string>(CommandContext&)>;
using SetHandler = std::function<void(CommandContext&)>;

struct CommandEntry {
  HeaderPattern pattern;
  std::vector<std::pair<int, int>> suffixRanges;  // allowed values per "#"
  QueryHandler query;                             // empty: the header takes no "?"
  SetHandler set;                                 // empty: the header is a query only
};

class CommandTable {
 public:
  // `pattern` as HeaderPattern takes it; "*IDN" for a common command.
  void Add(std::string_view pattern, std::vector<std::pair<int, int>> suffixRanges,
           QueryHandler query, SetHandler set);
  void Add(std::string_view pattern, QueryHandler query, SetHandler set) {
    Add(pattern, {}, std::move(query), std::move(set));
  }

  const CommandEntry* Find(const std::vector<std::string>& words, bool common,
                           std::vector<int>& suffixes) const;

 private:
  std::vector<CommandEntry> entries_;
  std::vector<CommandEntry> common_;
};

// The whole command set of the instrument, built once.
const CommandTable& InstrumentCommands();

// The command families, one file each.
void AddSystemCommands(CommandTable& table);
void AddMeasurementCommands(CommandTable& table);
void AddSignalCommands(CommandTable& table);   // outputs, inputs, keys, ports, store
void AddServiceCommands(CommandTable& table);  // INTE:, SN:
void AddProbeCommands(CommandTable& table);    // PROB:

}  // namespace qel::sim
