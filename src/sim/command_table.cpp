// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/command_table.h"

#include "sim/instrument.h"
#include "sim/instrument_settings.h"
#include "sim/sim_text.h"

namespace qel::sim {

void CommandContext::Fail(const ScpiError& error) {
  failed_ = true;
  instrument.errors().Push(error);
}

std::optional<std::string> CommandContext::Argument() {
  if (arguments_.empty() || (arguments_.size() == 1 && arguments_[0].empty())) {
    Fail(scpi_error::kMissingParameter);
    return std::nullopt;
  }
  if (arguments_.size() > 1) {
    Fail(scpi_error::kParameterNotAllowed);
    return std::nullopt;
  }
  return arguments_[0];
}

std::optional<int> CommandContext::Token(std::span<const std::string_view> list) {
  auto text = Argument();
  if (!text) return std::nullopt;
  auto index = FindToken(list, *text);
  if (!index) Fail(scpi_error::kIllegalParameter);
  return index;
}

std::optional<double> CommandContext::Number() {
  auto text = Argument();
  if (!text) return std::nullopt;
  auto value = ParseDecimal(*text);
  if (!value) Fail(scpi_error::kIllegalParameter);
  return value;
}

std::optional<long> CommandContext::Integer(long min, long max) {
  auto text = Argument();
  if (!text) return std::nullopt;
  auto value = ParseInteger(*text);
  if (!value || *value < min || *value > max) {
    Fail(scpi_error::kIllegalParameter);
    return std::nullopt;
  }
  return value;
}

std::optional<bool> CommandContext::Boolean() {
  auto text = Argument();
  if (!text) return std::nullopt;
  if (*text == "1" || EqualsNoCase(*text, "ON")) return true;
  if (*text == "0" || EqualsNoCase(*text, "OFF")) return false;
  Fail(scpi_error::kIllegalParameter);
  return std::nullopt;
}

std::optional<std::string> CommandContext::String() {
  auto text = Argument();
  if (!text) return std::nullopt;
  auto value = UnquoteString(*text);
  if (!value) Fail(scpi_error::kIllegalParameter);
  return value;
}

bool CommandContext::NoArguments() {
  if (arguments_.empty()) return true;
  Fail(scpi_error::kParameterNotAllowed);
  return false;
}

void CommandTable::Add(std::string_view pattern, std::vector<std::pair<int, int>> suffixRanges,
                       QueryHandler query, SetHandler set) {
  const bool common = !pattern.empty() && pattern.front() == '*';
  if (common) pattern.remove_prefix(1);
  CommandEntry entry{HeaderPattern(pattern), std::move(suffixRanges), std::move(query),
                     std::move(set)};
  (common ? common_ : entries_).push_back(std::move(entry));
}

const CommandEntry* CommandTable::Find(const std::vector<std::string>& words, bool common,
                                       std::vector<int>& suffixes) const {
  for (const CommandEntry& entry : common ? common_ : entries_) {
    if (entry.pattern.Match(words, suffixes)) return &entry;
  }
  return nullptr;
}

const CommandTable& InstrumentCommands() {
  static const CommandTable table = [] {
    CommandTable t;
    AddSystemCommands(t);
    AddMeasurementCommands(t);
    AddSignalCommands(t);
    AddServiceCommands(t);
    AddProbeCommands(t);
    return t;
  }();
  return table;
}

}  // namespace qel::sim
