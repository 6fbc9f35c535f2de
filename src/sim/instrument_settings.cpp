// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/instrument_settings.h"

#include "sim/sim_text.h"

namespace qel::sim {

std::optional<int> FindToken(std::span<const std::string_view> list, std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (EqualsNoCase(list[i], text)) return static_cast<int>(i);
  }
  return std::nullopt;
}

namespace {

std::string Token(std::span<const std::string_view> list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) return std::string(list[0]);
  return std::string(list[index]);
}

// Reads one choice; a missing key keeps `position`, an unknown token is reported.
bool ReadChoice(const std::map<std::string, std::string>& values, const std::string& key,
                std::span<const std::string_view> list, int& position, std::string& bad) {
  auto it = values.find(key);
  if (it == values.end()) return true;
  if (auto index = FindToken(list, it->second)) {
    position = *index;
    return true;
  }
  if (bad.empty()) bad = key;
  return false;
}

void ReadNumber(const std::map<std::string, std::string>& values, const std::string& key,
                double& number, std::string& bad) {
  auto it = values.find(key);
  if (it == values.end()) return;
  if (auto value = ParseDecimal(it->second)) {
    number = *value;
  } else if (bad.empty()) {
    bad = key;
  }
}

void ReadOctet(const std::map<std::string, std::string>& values, const std::string& key, int& octet,
               std::string& bad) {
  auto it = values.find(key);
  if (it == values.end()) return;
  auto value = ParseInteger(it->second);
  if (value && *value >= 0 && *value <= 255) {
    octet = static_cast<int>(*value);
  } else if (bad.empty()) {
    bad = key;
  }
}

}  // namespace

std::map<std::string, std::string> SettingsToValues(const InstrumentSettings& s) {
  std::map<std::string, std::string> v;
  v["MODE"] = Token(tokens::kMode, s.mode);
  v["UNIT"] = Token(tokens::kUnit, s.unit);
  v["RANG"] = Token(tokens::kRange, s.range);
  for (int n = 0; n < 4; ++n) {
    const std::string out = "OUT" + std::to_string(n + 1) + ":";
    v[out + "FUNC"] = Token(tokens::kOutputFunction, s.outputs[n].function);
    v[out + "LOG"] = Token(tokens::kLogic, s.outputs[n].logic);
    v[out + "LIMI:HIGH"] = FormatNumber(s.outputs[n].high);
    v[out + "LIMI:LOW"] = FormatNumber(s.outputs[n].low);
  }
  for (int n = 0; n < 3; ++n) {
    const std::string in = "IN" + std::to_string(n + 1) + ":";
    v[in + "FUNC"] = Token(tokens::kInputFunction, s.inputs[n].function);
    v[in + "LOG"] = Token(tokens::kLogic, s.inputs[n].logic);
  }
  v["KEYS:TOP"] = Token(tokens::kKeyFunction, s.keys[0]);
  v["KEYS:BOT"] = Token(tokens::kKeyFunction, s.keys[1]);
  v["SERI:BAUD"] = Token(tokens::kBaud, s.baud);
  v["SERI:STOP"] = Token(tokens::kStopBits, s.stopBits);
  v["SERI:PARY"] = Token(tokens::kParity, s.parity);
  v["SERI:MODE"] = Token(tokens::kSerialMode, s.serialMode);
  for (int k = 0; k < 4; ++k) {
    v["IP" + std::to_string(k + 1)] = std::to_string(s.ip[k]);
    v["MAS" + std::to_string(k + 1)] = std::to_string(s.mask[k]);
  }
  return v;
}

std::string SettingsFromValues(const std::map<std::string, std::string>& v, InstrumentSettings& s) {
  std::string bad;
  ReadChoice(v, "MODE", tokens::kMode, s.mode, bad);
  ReadChoice(v, "UNIT", tokens::kUnit, s.unit, bad);
  ReadChoice(v, "RANG", tokens::kRange, s.range, bad);
  for (int n = 0; n < 4; ++n) {
    const std::string out = "OUT" + std::to_string(n + 1) + ":";
    ReadChoice(v, out + "FUNC", tokens::kOutputFunction, s.outputs[n].function, bad);
    ReadChoice(v, out + "LOG", tokens::kLogic, s.outputs[n].logic, bad);
    ReadNumber(v, out + "LIMI:HIGH", s.outputs[n].high, bad);
    ReadNumber(v, out + "LIMI:LOW", s.outputs[n].low, bad);
  }
  for (int n = 0; n < 3; ++n) {
    const std::string in = "IN" + std::to_string(n + 1) + ":";
    ReadChoice(v, in + "FUNC", tokens::kInputFunction, s.inputs[n].function, bad);
    ReadChoice(v, in + "LOG", tokens::kLogic, s.inputs[n].logic, bad);
  }
  ReadChoice(v, "KEYS:TOP", tokens::kKeyFunction, s.keys[0], bad);
  ReadChoice(v, "KEYS:BOT", tokens::kKeyFunction, s.keys[1], bad);
  ReadChoice(v, "SERI:BAUD", tokens::kBaud, s.baud, bad);
  ReadChoice(v, "SERI:STOP", tokens::kStopBits, s.stopBits, bad);
  ReadChoice(v, "SERI:PARY", tokens::kParity, s.parity, bad);
  ReadChoice(v, "SERI:MODE", tokens::kSerialMode, s.serialMode, bad);
  for (int k = 0; k < 4; ++k) {
    ReadOctet(v, "IP" + std::to_string(k + 1), s.ip[k], bad);
    ReadOctet(v, "MAS" + std::to_string(k + 1), s.mask[k], bad);
  }
  return bad;
}

}  // namespace qel::sim
