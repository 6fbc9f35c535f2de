// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual QEL11: all of its state and the answer to every line the tool sends. No
// transport here; SimBackend and the report-stream server put it behind HID reports.

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "sim/display_memory.h"
#include "sim/error_queue.h"
#include "sim/instrument_settings.h"
#include "sim/internal_constants.h"
#include "sim/probe_memory.h"
#include "sim/reading_model.h"

namespace qel::sim {

// What is not a setting: service test range, key lock, output tests, input levels.
struct LiveState {
  int testStage = -1;  // INTE:RANG 0..7 selects gain stage B0..B7; -1: normal ranges
  bool keysLocked = false;
  std::array<bool, 4> outputEnabled{};  // DGIO:OEN: the output follows its test state
  std::array<bool, 4> outputTest{};     // DGIO:OUT
  std::array<bool, 3> inputLevel{};     // signal at the input connector
  std::array<bool, 3> inputActive{};    // level after the input's logic
};

enum class FrontKey { UpperShort, UpperLong, LowerShort, LowerLong };

class Instrument {
 public:
  explicit Instrument(std::uint64_t seed = 1);

  // Handles one line (without line feed): one measuring cycle, then each unit of the
  // line in order. Returns the answers of its queries joined by ";" (empty for a line of
  // settings). The hardcopy answer carries raw bytes, NULs included.
  std::string HandleLine(std::string_view line);

  InstrumentSettings& settings() { return settings_; }
  const InstrumentSettings& settings() const { return settings_; }
  InstrumentSettings& storedSettings() { return stored_; }
  const InstrumentSettings& storedSettings() const { return stored_; }
  ErrorQueue& errors() { return errors_; }
  ReadingModel& reading() { return reading_; }
  const ReadingModel& reading() const { return reading_; }
  ProbeMemory& probe() { return probe_; }
  const ProbeMemory& probe() const { return probe_; }
  ConstantMemory& constants() { return constants_; }
  const ConstantMemory& constants() const { return constants_; }
  LiveState& live() { return live_; }
  const LiveState& live() const { return live_; }
  HardcopyReadout& hardcopy() { return hardcopy_; }

  // Texts of the identity queries.
  std::string IdentityText() const;      // *IDN?
  std::string IdentityLongText() const;  // *IDNT?
  std::string HardwareVersion() const { return "HW 2.1"; }
  std::string SoftwareVersion() const { return "SW 1.07"; }

  // par:savw?: the current settings become the stored copy.
  void StoreSettings();
  // Power-up: settings from the stored copy, probe from its EEPROM, constants from their
  // store, memories locked, peaks and null cleared.
  void PowerUp();
  // *RST: factory settings (stored memories untouched), no test range, outputs not tested.
  void Reset();
  // True once after par:savw?, PROB:WRIT? or INTE:SAVE? changed a stored memory.
  bool TakeStoredChange();
  void MarkStoredChange() { storedChange_ = true; }

  // Level at input 1..3; its function acts when it becomes active.
  void SetInputLevel(int input, bool high);
  // Recomputes the active input states from levels and logic; runs input functions.
  void UpdateInputs();
  bool HoldActive() const;
  // What output 1..4 switches now.
  bool OutputState(int output) const;
  // A front-key press as the service menu simulates it; ignored while the keys are locked.
  void PressKey(FrontKey key);

  // Readings in the selected unit; kOverloadValue beyond the range (or test stage).
  double Measured(double tesla) const;
  double DcValue() const { return Measured(reading_.dc()); }
  double AcValue() const { return Measured(reading_.acRms()); }
  // Probe current in mA as INTE:ISND:GET? measures it (moves with noise).
  double ProbeCurrent();

  DisplayContent CurrentDisplay() const;
  DisplayMemory RenderedDisplay() const { return RenderDisplay(CurrentDisplay()); }

 private:
  InstrumentSettings settings_;
  InstrumentSettings stored_;
  ErrorQueue errors_;
  ReadingModel reading_;
  ProbeMemory probe_;
  ConstantMemory constants_;
  LiveState live_;
  HardcopyReadout hardcopy_;
  std::mt19937_64 currentNoise_;
  bool storedChange_ = false;
};

}  // namespace qel::sim
