// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user settings of the instrument (what "par:savw?" stores): measuring mode, unit and
// range, the four switching outputs, the three control inputs, the two front keys, the
// EIA-232 port and the LAN port. Choices are held as positions in their token lists; the
// instrument answers the token in upper case and takes it in any case.

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qel::sim {

namespace tokens {
inline constexpr std::array<std::string_view, 3> kMode{"DC", "AC", "PEAK"};
inline constexpr std::array<std::string_view, 4> kUnit{"TESL", "GAUS", "OE", "APM"};
inline constexpr std::array<std::string_view, 4> kRange{"0", "1", "2", "3"};
inline constexpr std::array<std::string_view, 8> kOutputFunction{"NO",   "ON",   "IFHI", "IFLO",
                                                                 "IFIN", "IFOU", "IFOV", "IFRN"};
inline constexpr std::array<std::string_view, 2> kLogic{"0", "1"};
inline constexpr std::array<std::string_view, 4> kInputFunction{"NO", "HOLD", "NLPK", "NULL"};
inline constexpr std::array<std::string_view, 4> kKeyFunction{"NO", "RANG", "PKNL", "NULL"};
inline constexpr std::array<std::string_view, 7> kBaud{"1200", "2400", "4800", "9600",
                                                       "14K4", "19K2", "38K4"};
inline constexpr std::array<std::string_view, 2> kStopBits{"1", "2"};
inline constexpr std::array<std::string_view, 3> kParity{"NONE", "EVEN", "ODD"};
inline constexpr std::array<std::string_view, 3> kSerialMode{"SCPI", "SHOR", "FLOW"};
}  // namespace tokens

// Position of `text` in `list`, compared without regard to letter case; nullopt if absent.
std::optional<int> FindToken(std::span<const std::string_view> list, std::string_view text);

enum Mode { kModeDc = 0, kModeAc = 1, kModePeak = 2 };
enum Unit { kUnitTesla = 0, kUnitGauss = 1, kUnitOersted = 2, kUnitAmperePerMetre = 3 };
enum OutputFunction {
  kOutNo,
  kOutOn,
  kOutIfHigh,
  kOutIfLow,
  kOutIfIn,
  kOutIfOut,
  kOutIfOver,
  kOutIfReady
};
enum InputFunction { kInNo, kInHold, kInNullPeak, kInNull };
enum KeyFunction { kKeyNo, kKeyRange, kKeyPeakNull, kKeyNull };

struct OutputSettings {
  int function = kOutNo;
  int logic = 0;  // 1: switched off while the condition holds
  double high = 0;
  double low = 0;
  bool operator==(const OutputSettings&) const = default;
};

struct InputSettings {
  int function = kInNo;
  int logic = 0;  // 1: active while the input is low
  bool operator==(const InputSettings&) const = default;
};

struct InstrumentSettings {
  int mode = kModeDc;
  int unit = kUnitTesla;
  int range = 1;
  std::array<OutputSettings, 4> outputs{};
  std::array<InputSettings, 3> inputs{};
  std::array<int, 2> keys{kKeyRange, kKeyPeakNull};  // upper (TOP), lower (BOT)
  int baud = 3;                                      // 9600
  int stopBits = 0;
  int parity = 0;
  int serialMode = 0;
  std::array<int, 4> ip{192, 168, 1, 100};
  std::array<int, 4> mask{255, 255, 255, 0};
  bool operator==(const InstrumentSettings&) const = default;
};

// Key=value pairs for the state file: "MODE" -> "DC", "OUT1:LIMI:HIGH" -> "1.5", ...
std::map<std::string, std::string> SettingsToValues(const InstrumentSettings& settings);
// Takes the keys it knows from `values`; unknown or unreadable values keep the defaults.
// Returns the first key whose value could not be read, or empty text.
std::string SettingsFromValues(const std::map<std::string, std::string>& values,
                               InstrumentSettings& settings);

}  // namespace qel::sim
