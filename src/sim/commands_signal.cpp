// SPDX-License-Identifier: GPL-3.0-or-later
// Switching outputs and control inputs (with their tests), front keys, the EIA-232 and
// LAN ports, and storing the settings.
#include "sim/command_table.h"
#include "sim/instrument.h"
#include "sim/sim_text.h"

namespace qel::sim {

namespace {

std::string Bit(bool on) {
  return on ? "1" : "0";
}

OutputSettings& Output(CommandContext& c) {
  return c.instrument.settings().outputs[c.Suffix() - 1];
}
InputSettings& Input(CommandContext& c) {
  return c.instrument.settings().inputs[c.Suffix() - 1];
}

void AddOutputs(CommandTable& t) {
  const std::vector<std::pair<int, int>> outputs{{1, 4}};
  t.Add(
      "DGIO:SET:OUTput#:FUNCtion", outputs,
      [](CommandContext& c) { return std::string(tokens::kOutputFunction[Output(c).function]); },
      [](CommandContext& c) {
        if (auto index = c.Token(tokens::kOutputFunction)) Output(c).function = *index;
      });
  t.Add(
      "DGIO:SET:OUTput#:LOGic", outputs,
      [](CommandContext& c) { return std::string(tokens::kLogic[Output(c).logic]); },
      [](CommandContext& c) {
        if (auto index = c.Token(tokens::kLogic)) Output(c).logic = *index;
      });
  t.Add(
      "DGIO:SET:OUTput#:LIMIt:HIGH", outputs,
      [](CommandContext& c) { return FormatNumber(Output(c).high); },
      [](CommandContext& c) {
        if (auto value = c.Number()) Output(c).high = *value;
      });
  t.Add(
      "DGIO:SET:OUTput#:LIMIt:LOW", outputs,
      [](CommandContext& c) { return FormatNumber(Output(c).low); },
      [](CommandContext& c) {
        if (auto value = c.Number()) Output(c).low = *value;
      });
  // Output test: while enabled, an output switches its test state instead of its function.
  t.Add(
      "DGIO:OENable#", outputs,
      [](CommandContext& c) { return Bit(c.instrument.live().outputEnabled[c.Suffix() - 1]); },
      [](CommandContext& c) {
        if (auto on = c.Boolean()) c.instrument.live().outputEnabled[c.Suffix() - 1] = *on;
      });
  t.Add(
      "DGIO:OUTput#", outputs,
      [](CommandContext& c) { return Bit(c.instrument.OutputState(c.Suffix())); },
      [](CommandContext& c) {
        if (auto on = c.Boolean()) c.instrument.live().outputTest[c.Suffix() - 1] = *on;
      });
}

void AddInputs(CommandTable& t) {
  const std::vector<std::pair<int, int>> inputs{{1, 3}};
  t.Add(
      "DGIO:SET:INput#:FUNCtion", inputs,
      [](CommandContext& c) { return std::string(tokens::kInputFunction[Input(c).function]); },
      [](CommandContext& c) {
        if (auto index = c.Token(tokens::kInputFunction)) Input(c).function = *index;
      });
  t.Add(
      "DGIO:SET:INput#:LOGic", inputs,
      [](CommandContext& c) { return std::string(tokens::kLogic[Input(c).logic]); },
      [](CommandContext& c) {
        if (auto index = c.Token(tokens::kLogic)) Input(c).logic = *index;
      });
  // "1,0,1": the active states of inputs 1, 2 and 3.
  t.Add(
      "DGIO:INput",
      [](CommandContext& c) {
        const auto& active = c.instrument.live().inputActive;
        return Bit(active[0]) + "," + Bit(active[1]) + "," + Bit(active[2]);
      },
      nullptr);
}

void AddKeys(CommandTable& t) {
  for (int key = 0; key < 2; ++key) {
    t.Add(
        key == 0 ? "KEYS:TOP:FUNCtion" : "KEYS:BOTtom:FUNCtion",
        [key](CommandContext& c) {
          return std::string(tokens::kKeyFunction[c.instrument.settings().keys[key]]);
        },
        [key](CommandContext& c) {
          if (auto index = c.Token(tokens::kKeyFunction))
            c.instrument.settings().keys[key] = *index;
        });
  }
}

template <std::size_t N>
void AddSerial(CommandTable& t, std::string_view word, const std::array<std::string_view, N>& list,
               int InstrumentSettings::*member) {
  t.Add(
      "SERIal:COMA:" + std::string(word),
      [&list, member](CommandContext& c) {
        return std::string(list[c.instrument.settings().*member]);
      },
      [&list, member](CommandContext& c) {
        if (auto index = c.Token(list)) c.instrument.settings().*member = *index;
      });
}

void AddLan(CommandTable& t) {
  for (auto member : {&InstrumentSettings::ip, &InstrumentSettings::mask}) {
    t.Add(
        member == &InstrumentSettings::ip ? "IP:IP#" : "IP:MASk#", {{1, 4}},
        [member](CommandContext& c) {
          return std::to_string((c.instrument.settings().*member)[c.Suffix() - 1]);
        },
        [member](CommandContext& c) {
          if (auto octet = c.Integer(0, 255)) {
            (c.instrument.settings().*member)[c.Suffix() - 1] = static_cast<int>(*octet);
          }
        });
  }
}

}  // namespace

void AddSignalCommands(CommandTable& t) {
  AddOutputs(t);
  AddInputs(t);
  AddKeys(t);
  AddSerial(t, "BAUD", tokens::kBaud, &InstrumentSettings::baud);
  AddSerial(t, "STOP", tokens::kStopBits, &InstrumentSettings::stopBits);
  AddSerial(t, "PARY", tokens::kParity, &InstrumentSettings::parity);
  AddSerial(t, "MODE", tokens::kSerialMode, &InstrumentSettings::serialMode);
  AddLan(t);
  // Stores the current settings; the answer 0 says that no error occurred.
  t.Add(
      "PARameter:SAVW",
      [](CommandContext& c) {
        c.instrument.StoreSettings();
        return std::string("0");
      },
      [](CommandContext& c) {
        if (c.NoArguments()) c.instrument.StoreSettings();
      });
}

}  // namespace qel::sim
