// SPDX-License-Identifier: GPL-3.0-or-later
// The probe memory under PROB: (also written "Probe:").
#include "sim/command_table.h"
#include "sim/instrument.h"
#include "sim/sim_text.h"

namespace qel::sim {

namespace {

ProbeData& Working(CommandContext& c) {
  return c.instrument.probe().working();
}

// Settings change the working copy only while the memory is unlocked.
bool Unlocked(CommandContext& c) {
  if (c.instrument.probe().unlocked()) return true;
  c.Fail(scpi_error::kCommandProtected);
  return false;
}

void AddDirectionValue(CommandTable& t, std::string_view pattern,
                       std::array<double, 2> ProbeData::*member) {
  t.Add(
      pattern, {{1, 2}},
      [member](CommandContext& c) { return FormatNumber((Working(c).*member)[c.Suffix() - 1]); },
      [member](CommandContext& c) {
        auto value = c.Number();
        if (value && Unlocked(c)) (Working(c).*member)[c.Suffix() - 1] = *value;
      });
}

// Probe texts are held in 16-character fields.
void AddText(CommandTable& t, std::string_view pattern, std::string ProbeData::*member,
             std::string (*answer)(const ProbeData&)) {
  t.Add(
      pattern, [answer](CommandContext& c) { return QuoteString(answer(Working(c))); },
      [member](CommandContext& c) {
        auto text = c.String();
        if (!text || !Unlocked(c)) return;
        Working(c).*member = text->substr(0, 16);
      });
}

}  // namespace

void AddProbeCommands(CommandTable& t) {
  t.Add(
      "PROBe:LOCK",
      [](CommandContext& c) { return std::string(c.instrument.probe().unlocked() ? "0" : "1"); },
      [](CommandContext& c) {
        auto code = c.Integer(0, 999999);
        if (code && !c.instrument.probe().SetLock(*code)) c.Fail(scpi_error::kIllegalParameter);
      });
  // "1": done; "0": refused because the memory is locked.
  t.Add(
      "PROBe:READ",
      [](CommandContext& c) {
        if (c.instrument.probe().ReadFromEeprom()) return std::string("1");
        c.Fail(scpi_error::kCommandProtected);
        return std::string("0");
      },
      nullptr);
  t.Add(
      "PROBe:WRITe",
      [](CommandContext& c) {
        if (!c.instrument.probe().WriteToEeprom()) {
          c.Fail(scpi_error::kCommandProtected);
          return std::string("0");
        }
        c.instrument.MarkStoredChange();
        return std::string("1");
      },
      nullptr);

  // NAME? answers the whole 32-character field, name and calibration text.
  AddText(t, "PROBe:NAME", &ProbeData::name, [](const ProbeData& p) { return p.NameField(); });
  AddText(t, "PROBe:CAL", &ProbeData::calText,
          [](const ProbeData& p) { return p.NameField().substr(16); });
  AddText(t, "PROBe:SN", &ProbeData::serial, [](const ProbeData& p) { return p.serial; });
  t.Add(
      "PROBe:SNEP", [](CommandContext& c) { return Working(c).eepromSerial; }, nullptr);
  t.Add(
      "PROBe:TYPE", [](CommandContext& c) { return std::to_string(Working(c).type); },
      [](CommandContext& c) {
        auto type = c.Integer(0, 6);
        if (type && Unlocked(c)) Working(c).type = static_cast<int>(*type);
      });
  AddDirectionValue(t, "PROBe:S0#", &ProbeData::sensitivity);
  AddDirectionValue(t, "PROBe:ALFa#", &ProbeData::alfa);
  AddDirectionValue(t, "PROBe:RO1#", &ProbeData::offset1mA);
  AddDirectionValue(t, "PROBe:RO3#", &ProbeData::offset3mA);
  t.Add(
      "PROBe:HFRF", [](CommandContext& c) { return FormatNumber(Working(c).reference8T); },
      [](CommandContext& c) {
        auto value = c.Number();
        if (value && Unlocked(c)) Working(c).reference8T = *value;
      });
}

}  // namespace qel::sim
