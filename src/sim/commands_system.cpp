// SPDX-License-Identifier: GPL-3.0-or-later
// Common commands and the error queue.
#include "sim/command_table.h"
#include "sim/instrument.h"

namespace qel::sim {

void AddSystemCommands(CommandTable& t) {
  t.Add(
      "*IDN", [](CommandContext& c) { return c.instrument.IdentityText(); }, nullptr);
  t.Add(
      "*IDNT", [](CommandContext& c) { return c.instrument.IdentityLongText(); }, nullptr);
  // Lines run one after another, so every operation is complete when *OPC? is answered.
  t.Add(
      "*OPC", [](CommandContext&) { return std::string("1"); }, [](CommandContext&) {});
  t.Add("*RST", nullptr, [](CommandContext& c) { c.instrument.Reset(); });
  t.Add("*CLS", nullptr, [](CommandContext& c) { c.instrument.errors().Clear(); });

  auto next = [](CommandContext& c) { return c.instrument.errors().Pop(); };
  t.Add("SYSTem:ERRor", next, nullptr);
  t.Add("SYSTem:ERRor:NEXT", next, nullptr);
  t.Add(
      "SYSTem:ERRor:COUNt",
      [](CommandContext& c) { return std::to_string(c.instrument.errors().size()); }, nullptr);
}

}  // namespace qel::sim
