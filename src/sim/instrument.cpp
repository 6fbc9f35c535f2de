// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/instrument.h"

#include <cmath>

#include "sim/command_table.h"
#include "sim/measurement_scale.h"
#include "sim/scpi_parser.h"

namespace qel::sim {

Instrument::Instrument(std::uint64_t seed) : reading_(seed), currentNoise_(seed ^ 0x5eed) {}

std::string Instrument::HandleLine(std::string_view line) {
  UpdateInputs();
  if (!HoldActive()) reading_.Step();

  const CommandTable& table = InstrumentCommands();
  std::string reply;
  bool answered = false;
  std::vector<int> suffixes;
  for (const ScpiUnit& unit : ParseScpiLine(line)) {
    if (unit.syntaxError) {
      errors_.Push(scpi_error::kSyntax);
      break;  // the rest of the line cannot be read reliably
    }
    const CommandEntry* entry = table.Find(unit.words, unit.common, suffixes);
    if (entry == nullptr || (unit.query ? !entry->query : !entry->set)) {
      errors_.Push(scpi_error::kUndefinedHeader);
      break;
    }
    bool suffixOk = true;
    for (std::size_t i = 0; i < entry->suffixRanges.size() && i < suffixes.size(); ++i) {
      const auto [min, max] = entry->suffixRanges[i];
      suffixOk = suffixOk && suffixes[i] >= min && suffixes[i] <= max;
    }
    if (!suffixOk) {
      errors_.Push(scpi_error::kSuffixOutOfRange);
      break;
    }
    const std::vector<std::string> arguments = SplitArguments(unit.arguments);
    CommandContext context(*this, suffixes, arguments);
    if (unit.query) {
      if (!arguments.empty()) {
        errors_.Push(scpi_error::kParameterNotAllowed);
        break;
      }
      if (auto answer = entry->query(context)) {
        if (answered) reply += ';';
        reply += *answer;
        answered = true;
      }
    } else {
      entry->set(context);
    }
    UpdateInputs();  // a changed input logic or function acts at once
  }
  return reply;
}

std::string Instrument::IdentityText() const {
  return "KORVAL,QEL11," + constants_.working().serial + ",1.07";
}

std::string Instrument::IdentityLongText() const {
  return "KORVAL QEL11 Teslameter";
}

void Instrument::StoreSettings() {
  stored_ = settings_;
  storedChange_ = true;
}

void Instrument::PowerUp() {
  settings_ = stored_;
  probe_.PowerUp();
  constants_.PowerUp();
  const auto levels = live_.inputLevel;
  live_ = LiveState{};
  live_.inputLevel = levels;
  for (int n = 0; n < 3; ++n) {
    live_.inputActive[n] = levels[n] != (settings_.inputs[n].logic == 1);
  }
  reading_.ClearNull();
  reading_.NullPeaks();
}

void Instrument::Reset() {
  settings_ = InstrumentSettings{};
  live_.testStage = -1;
  live_.keysLocked = false;
  live_.outputEnabled = {};
  live_.outputTest = {};
  reading_.ClearNull();
  reading_.NullPeaks();
  UpdateInputs();
}

bool Instrument::TakeStoredChange() {
  const bool change = storedChange_;
  storedChange_ = false;
  return change;
}

void Instrument::SetInputLevel(int input, bool high) {
  if (input < 1 || input > 3) return;
  live_.inputLevel[input - 1] = high;
  UpdateInputs();
}

void Instrument::UpdateInputs() {
  for (int n = 0; n < 3; ++n) {
    const bool active = live_.inputLevel[n] != (settings_.inputs[n].logic == 1);
    const bool rising = active && !live_.inputActive[n];
    live_.inputActive[n] = active;
    if (!rising) continue;
    switch (settings_.inputs[n].function) {
      case kInNullPeak:
        reading_.NullPeaks();
        break;
      case kInNull:
        reading_.NullField();
        break;
      default:
        break;
    }
  }
}

bool Instrument::HoldActive() const {
  for (int n = 0; n < 3; ++n) {
    if (live_.inputActive[n] && settings_.inputs[n].function == kInHold) return true;
  }
  return false;
}

bool Instrument::OutputState(int output) const {
  if (output < 1 || output > 4) return false;
  const int n = output - 1;
  if (live_.outputEnabled[n]) return live_.outputTest[n];
  const OutputSettings& out = settings_.outputs[n];
  const double value = DcValue();
  const bool overload = std::fabs(value) > 1e20;
  bool condition = false;
  switch (out.function) {
    case kOutNo:
      return false;
    case kOutOn:
      return true;
    case kOutIfHigh:
      condition = !overload && value > out.high;
      break;
    case kOutIfLow:
      condition = !overload && value < out.low;
      break;
    case kOutIfIn:
      condition = !overload && value >= out.low && value <= out.high;
      break;
    case kOutIfOut:
      condition = overload || value < out.low || value > out.high;
      break;
    case kOutIfOver:
      condition = overload;
      break;
    case kOutIfReady:
      condition = true;  // the probe is always connected and warm
      break;
  }
  return condition != (out.logic == 1);
}

void Instrument::PressKey(FrontKey key) {
  if (live_.keysLocked) return;
  auto runFunction = [this](int function) {
    switch (function) {
      case kKeyRange:
        live_.testStage = -1;
        settings_.range = (settings_.range + 1) % 4;
        break;
      case kKeyPeakNull:
        reading_.NullPeaks();
        break;
      case kKeyNull:
        reading_.NullField();
        break;
      default:
        break;
    }
  };
  switch (key) {
    case FrontKey::UpperShort:
      runFunction(settings_.keys[0]);
      break;
    case FrontKey::LowerShort:
      runFunction(settings_.keys[1]);
      break;
    case FrontKey::UpperLong:  // next measuring mode
      settings_.mode = (settings_.mode + 1) % 3;
      reading_.NullPeaks();
      break;
    case FrontKey::LowerLong:  // next unit
      settings_.unit = (settings_.unit + 1) % 4;
      break;
  }
}

double Instrument::Measured(double tesla) const {
  double limit = RangeLimitTesla(settings_.mode, settings_.range);
  if (live_.testStage >= 0) {
    // A test stage measures with its own amplification, as adjusted by its constant.
    tesla *= constants_.working().stageGain[live_.testStage] / TestStageGain(live_.testStage);
    limit = TestStageLimitTesla(live_.testStage);
  }
  if (!std::isfinite(tesla) || std::fabs(tesla) > limit) return kOverloadValue;
  return TeslaToUnit(tesla, settings_.unit);
}

double Instrument::ProbeCurrent() {
  std::normal_distribution<double> noise(0.0, 0.002);
  const InternalConstants& c = constants_.working();
  return (1.0 + noise(currentNoise_)) * c.probeCurrentGain + c.probeCurrentOffset;
}

DisplayContent Instrument::CurrentDisplay() const {
  DisplayContent content;
  const int unit = settings_.unit;
  const int range = settings_.range;
  DisplayNumber(0, unit, range, content.unit);
  std::string ignored;
  auto number = [&](double value) { return DisplayNumber(value, unit, range, ignored); };
  const PeakMemory fast = reading_.fastPeak();
  switch (settings_.mode) {
    case kModeAc:
      content.reading = number(AcValue());
      content.secondary = "DC " + number(DcValue()) + " " + content.unit;
      break;
    case kModePeak:
      content.reading = number(Measured(fast.Absolute()));
      content.secondary = "MIN" + number(Measured(fast.min)) + " MAX" + number(Measured(fast.max));
      break;
    default:
      content.reading = number(DcValue());
      break;
  }
  // Overload shows no unit.
  if (content.reading == " OVLD ") content.unit.clear();
  content.status = std::string(tokens::kMode[settings_.mode]);
  if (live_.testStage >= 0) {
    content.status += " B" + std::to_string(live_.testStage) + " TEST";
  } else {
    content.status += " R" + std::to_string(range);
  }
  if (HoldActive()) content.status += " HOLD";
  if (reading_.nullOffset() != 0) content.status += " NULL";
  if (live_.keysLocked) content.status += " LOCK";
  return content;
}

}  // namespace qel::sim
