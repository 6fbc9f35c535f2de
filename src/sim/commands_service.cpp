// SPDX-License-Identifier: GPL-3.0-or-later
// Service commands under INTE: (test ranges, simulated keys, display read-out, internal
// constants) and the identity texts under SN:.
#include <cstdio>

#include "sim/command_table.h"
#include "sim/instrument.h"
#include "sim/probe_memory.h"
#include "sim/sim_text.h"

namespace qel::sim {

namespace {

std::string Fixed4(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

void AddKeyPress(CommandTable& t, std::string_view pattern, FrontKey key) {
  t.Add(pattern, nullptr, [key](CommandContext& c) {
    if (c.NoArguments()) c.instrument.PressKey(key);
  });
}

// A constant that lines may change at any time (storing it needs the unlock).
void AddConstant(CommandTable& t, std::string_view pattern, double InternalConstants::*member) {
  t.Add(
      pattern,
      [member](CommandContext& c) {
        return FormatNumber(c.instrument.constants().working().*member);
      },
      [member](CommandContext& c) {
        if (auto value = c.Number()) c.instrument.constants().working().*member = *value;
      });
}

void AddTestCommands(CommandTable& t) {
  t.Add(
      "INTErnal:RANGe",
      [](CommandContext& c) { return std::to_string(c.instrument.live().testStage); },
      [](CommandContext& c) {
        if (auto stage = c.Integer(0, 7)) c.instrument.live().testStage = static_cast<int>(*stage);
      });
  // Simulated key presses: Taste Oben/Unten, Lang/Short.
  AddKeyPress(t, "INTErnal:TOL", FrontKey::UpperLong);
  AddKeyPress(t, "INTErnal:TOS", FrontKey::UpperShort);
  AddKeyPress(t, "INTErnal:TUS", FrontKey::LowerShort);
  AddKeyPress(t, "INTErnal:TUL", FrontKey::LowerLong);
  t.Add(
      "INTErnal:TLOK",
      [](CommandContext& c) { return std::string(c.instrument.live().keysLocked ? "1" : "0"); },
      [](CommandContext& c) {
        if (auto on = c.Boolean()) c.instrument.live().keysLocked = *on;
      });
}

void AddHardcopy(CommandTable& t) {
  t.Add(
      "INTErnal:HCLN",
      [](CommandContext& c) { return std::to_string(c.instrument.hardcopy().chunkLength()); },
      [](CommandContext& c) {
        auto text = c.Argument();
        if (!text) return;
        auto length = ParseInteger(*text);
        if (!length || !c.instrument.hardcopy().SetChunkLength(*length)) {
          c.Fail(scpi_error::kIllegalParameter);
        }
      });
  t.Add(
      "INTErnal:HCOF",
      [](CommandContext& c) { return std::to_string(c.instrument.hardcopy().offset()); },
      [](CommandContext& c) {
        auto text = c.Argument();
        if (!text) return;
        auto offset = ParseInteger(*text);
        if (!offset ||
            !c.instrument.hardcopy().SetOffset(*offset, c.instrument.RenderedDisplay())) {
          c.Fail(scpi_error::kIllegalParameter);
        }
      });
  t.Add(
      "INTErnal:HC",
      [](CommandContext& c) {
        HardcopyReadout& readout = c.instrument.hardcopy();
        if (readout.NeedsPicture()) readout.TakePicture(c.instrument.RenderedDisplay());
        return readout.NextChunk();
      },
      nullptr);
}

void AddConstants(CommandTable& t) {
  t.Add(
      "INTErnal:LOCK",
      [](CommandContext& c) {
        return std::string(c.instrument.constants().unlocked() ? "0" : "1");
      },
      [](CommandContext& c) {
        auto code = c.Integer(0, 999999);
        if (code && !c.instrument.constants().SetLock(*code)) c.Fail(scpi_error::kIllegalParameter);
      });
  // "0": stored; "1": not stored (locked).
  t.Add(
      "INTErnal:SAVE",
      [](CommandContext& c) {
        if (!c.instrument.constants().Save()) {
          c.Fail(scpi_error::kCommandProtected);
          return std::string("1");
        }
        c.instrument.MarkStoredChange();
        return std::string("0");
      },
      nullptr);
  t.Add("INTErnal:DEFAult", nullptr, [](CommandContext& c) {
    if (c.NoArguments() && !c.instrument.constants().Defaults()) {
      c.Fail(scpi_error::kCommandProtected);
    }
  });
  t.Add(
      "INTErnal:ISND:GET", [](CommandContext& c) { return Fixed4(c.instrument.ProbeCurrent()); },
      nullptr);
  AddConstant(t, "INTErnal:ISND:GAIN", &InternalConstants::probeCurrentGain);
  AddConstant(t, "INTErnal:ISND:OFFSet", &InternalConstants::probeCurrentOffset);
  AddConstant(t, "INTErnal:CONStant:I1MA", &InternalConstants::current1);
  AddConstant(t, "INTErnal:CONStant:I3MA", &InternalConstants::current3);
  t.Add(
      "INTErnal:CONStant:MAG:GA#", {{0, 7}},
      [](CommandContext& c) {
        return FormatNumber(c.instrument.constants().working().stageGain[c.Suffix()]);
      },
      [](CommandContext& c) {
        if (auto value = c.Number())
          c.instrument.constants().working().stageGain[c.Suffix()] = *value;
      });
  // Written as string data, read back unquoted with SN:UNIT? and SN:CALI?.
  t.Add("INTErnal:SN", nullptr, [](CommandContext& c) {
    if (auto text = c.String()) c.instrument.constants().working().serial = *text;
  });
  t.Add("INTErnal:CALI", nullptr, [](CommandContext& c) {
    if (auto text = c.String()) c.instrument.constants().working().calInfo = *text;
  });
}

void AddSerialNumbers(CommandTable& t) {
  t.Add(
      "SN:UNIT", [](CommandContext& c) { return c.instrument.constants().working().serial; },
      nullptr);
  t.Add(
      "SN:HW", [](CommandContext& c) { return c.instrument.HardwareVersion(); }, nullptr);
  t.Add(
      "SN:SW", [](CommandContext& c) { return c.instrument.SoftwareVersion(); }, nullptr);
  t.Add(
      "SN:CALI", [](CommandContext& c) { return c.instrument.constants().working().calInfo; },
      nullptr);
}

}  // namespace

void AddServiceCommands(CommandTable& t) {
  AddTestCommands(t);
  AddHardcopy(t);
  AddConstants(t);
  AddSerialNumbers(t);
}

}  // namespace qel::sim
