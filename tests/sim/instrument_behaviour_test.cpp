// SPDX-License-Identifier: GPL-3.0-or-later
// Readings, overload, peaks, keys, test ranges, inputs and outputs of the instrument.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "sim/instrument.h"
#include "sim/sim_text.h"

namespace qel::sim {
namespace {

// An instrument whose field reads exactly (no noise, no drift).
Instrument QuietInstrument(double dcTesla, double acTesla = 0) {
  Instrument instrument;
  instrument.reading().SetNoiseScale(0);
  instrument.reading().SetField(dcTesla, acTesla);
  instrument.reading().NullPeaks();
  return instrument;
}

double Number(const std::string& text) {
  return ParseDecimal(text).value_or(NAN);
}

TEST(InstrumentReadings, DcReadingInEachUnit) {
  struct Row {
    const char* unit;
    const char* answer;
  } rows[] = {{"TESL", "2.53000E-02"},
              {"GAUS", "2.53000E+02"},
              {"OE", "2.53000E+02"},
              {"APM", "2.01331E+04"}};
  for (const Row& row : rows) {
    Instrument instrument = QuietInstrument(0.0253);
    instrument.HandleLine(std::string("UNIT ") + row.unit);
    EXPECT_EQ(instrument.HandleLine(":read:dc?"), row.answer) << row.unit;
  }
}

TEST(InstrumentReadings, OverloadBeyondTheSelectedRange) {
  Instrument instrument = QuietInstrument(0.0253);
  // Ranges 0..2 read up to twice their name, range 3 up to 10 T (7 T in AC mode).
  EXPECT_EQ(instrument.HandleLine("RANG:SET 0;:read:dc?"), "9.90000E+37");
  EXPECT_EQ(instrument.HandleLine("RANG:SET 1;:read:dc?"), "2.53000E-02");
  instrument.reading().SetField(-8.5, 0);
  EXPECT_EQ(instrument.HandleLine("RANG:SET 3;:read:dc?"), "-8.50000E+00");
  EXPECT_EQ(instrument.HandleLine("MODE AC;:read:dc?"), "9.90000E+37");
  EXPECT_GT(Number("9.90000E+37"), 1e20);
}

TEST(InstrumentReadings, AcReadingIsTheRmsOfTheAlternatingPart) {
  Instrument instrument = QuietInstrument(0.01, 0.002);
  instrument.HandleLine("MODE AC");
  EXPECT_EQ(instrument.HandleLine(":read:ac?"), "2.00000E-03");
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "1.00000E-02");
}

TEST(InstrumentReadings, FastPeaksSeeTheWaveformSlowPeaksTheMean) {
  Instrument instrument = QuietInstrument(0.01, 0.001);
  for (int i = 0; i < 20; ++i) instrument.HandleLine("MODE?");
  const PeakMemory fast = instrument.reading().fastPeak();
  const PeakMemory slow = instrument.reading().slowPeak();
  EXPECT_GT(fast.max, 0.01 + 0.0013);
  EXPECT_LE(fast.max, 0.01 + 0.001 * std::sqrt(2.0) + 1e-12);
  EXPECT_LT(fast.min, 0.01 - 0.0013);
  EXPECT_NEAR(slow.max, 0.01, 1e-12);
  EXPECT_NEAR(slow.min, 0.01, 1e-12);
  // Answers in the order of the compound query: absolute, minimum, maximum.
  const std::string reply = instrument.HandleLine(":peak:fast:read?;read:min?;max?");
  EXPECT_EQ(reply, FormatMeasurement(fast.max) + ";" + FormatMeasurement(fast.min) + ";" +
                       FormatMeasurement(fast.max));
  instrument.HandleLine("peak:null");
  instrument.reading().SetField(0.02, 0);
  EXPECT_EQ(instrument.HandleLine(":peak:slow:read?;read:min?;max?"),
            "2.00000E-02;2.00000E-02;2.00000E-02");
}

TEST(InstrumentReadings, NoisyReadingsMoveButStayNearTheFieldAndFollowTheSeed) {
  Instrument a(7), b(7), c(8);
  std::vector<std::string> seqA, seqB, seqC;
  for (int i = 0; i < 50; ++i) {
    seqA.push_back(a.HandleLine(":read:dc?"));
    seqB.push_back(b.HandleLine(":read:dc?"));
    seqC.push_back(c.HandleLine(":read:dc?"));
  }
  EXPECT_EQ(seqA, seqB);
  EXPECT_NE(seqA, seqC);
  std::set<std::string> distinct(seqA.begin(), seqA.end());
  EXPECT_GT(distinct.size(), 40u);
  for (const auto& text : seqA) EXPECT_NEAR(Number(text), 0.0253, 0.0253 * 0.01) << text;
}

TEST(InstrumentKeys, ShortPressesRunTheKeyFunctionsLongPressesStepModeAndUnit) {
  Instrument instrument = QuietInstrument(0.0253);
  instrument.HandleLine("KEYS:TOP:FUNC RANG;:KEYS:BOT:FUNC NULL");
  instrument.HandleLine("inte:tos");
  EXPECT_EQ(instrument.HandleLine("RANG?"), "2");
  instrument.HandleLine("inte:tus");  // null compensation: the present field reads zero
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "0.00000E+00");
  instrument.HandleLine("inte:tol");
  EXPECT_EQ(instrument.HandleLine("MODE?"), "AC");
  instrument.HandleLine("inte:tol;tul");
  EXPECT_EQ(instrument.HandleLine("MODE?;UNIT?"), "PEAK;GAUS");
  instrument.HandleLine("inte:tlok 1");
  instrument.HandleLine("inte:tol;tul");
  instrument.HandleLine("inte:tos");
  EXPECT_EQ(instrument.HandleLine("MODE?;UNIT?;RANG?"), "PEAK;GAUS;2");
  instrument.HandleLine("inte:tlok 0");
  instrument.HandleLine("inte:tos");
  EXPECT_EQ(instrument.HandleLine("RANG?"), "3");
}

TEST(InstrumentKeys, PeakNullKeyClearsThePeakMemories) {
  Instrument instrument = QuietInstrument(0.05);
  instrument.HandleLine("KEYS:BOT:FUNC PKNL");
  instrument.reading().SetField(0.01, 0);
  instrument.HandleLine("MODE?");
  EXPECT_EQ(instrument.HandleLine(":peak:slow:read:max?"), "5.00000E-02");
  instrument.HandleLine("inte:tus");
  EXPECT_EQ(instrument.HandleLine(":peak:slow:read:max?"), "1.00000E-02");
}

TEST(InstrumentTestRanges, GainStageLimitsAndAdjustment) {
  Instrument instrument = QuietInstrument(0.0253);
  instrument.HandleLine("INTE:RANG 7");  // 15 mT stage
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "9.90000E+37");
  instrument.HandleLine("INTE:RANG 3");  // 300 mT stage, nominal gain 8
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "2.53000E-02");
  instrument.HandleLine("INTE:CONS:MAG:GA3 8.8");
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "2.78300E-02");
  instrument.HandleLine("RANG:SET 1");  // a measuring range ends the test range
  EXPECT_EQ(instrument.HandleLine("INTE:RANG?;:read:dc?"), "-1;2.53000E-02");
}

TEST(InstrumentInputs, StatesFunctionsAndLogic) {
  Instrument instrument = QuietInstrument(0.02);
  EXPECT_EQ(instrument.HandleLine("DGIO:IN?"), "0,0,0");
  instrument.SetInputLevel(2, true);
  EXPECT_EQ(instrument.HandleLine("DGIO:IN?"), "0,1,0");
  instrument.HandleLine("DGIO:SET:IN1:LOG 1");  // inverted: active while low
  EXPECT_EQ(instrument.HandleLine("DGIO:IN?"), "1,1,0");
  EXPECT_EQ(instrument.HandleLine("DGIO:IN?").size(), 5u);

  // HOLD freezes the reading while its input is active.
  instrument.HandleLine("DGIO:SET:IN3:FUNC HOLD");
  instrument.SetInputLevel(3, true);
  instrument.reading().SetField(0.03, 0);
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "2.00000E-02");
  instrument.SetInputLevel(3, false);
  EXPECT_EQ(instrument.HandleLine(":read:dc?"), "3.00000E-02");

  // NLPK clears the peak memories when its input becomes active.
  instrument.HandleLine("DGIO:SET:IN2:FUNC NLPK");
  instrument.SetInputLevel(2, false);
  instrument.reading().SetField(0.01, 0);
  instrument.SetInputLevel(2, true);
  instrument.HandleLine("MODE?");
  EXPECT_EQ(instrument.HandleLine(":peak:slow:read:max?"), "1.00000E-02");
}

TEST(InstrumentOutputs, FunctionsLimitsLogicAndTests) {
  Instrument instrument = QuietInstrument(0.0253);
  auto state = [&](int n) { return instrument.HandleLine("DGIO:OUT" + std::to_string(n) + "?"); };
  instrument.HandleLine("DGIO:SET:OUT1:FUNC IFHI;LIMI:HIGH 0.02");
  EXPECT_EQ(state(1), "1");
  instrument.HandleLine("DGIO:SET:OUT1:LOG 1");
  EXPECT_EQ(state(1), "0");
  instrument.HandleLine("DGIO:SET:OUT2:FUNC IFIN;LIMI:HIGH 0.03;LOW 0.02");
  EXPECT_EQ(state(2), "1");
  instrument.HandleLine("DGIO:SET:OUT3:FUNC IFOV");
  EXPECT_EQ(state(3), "0");
  instrument.HandleLine("RANG:SET 0");
  EXPECT_EQ(state(3), "1");
  EXPECT_EQ(state(2), "0");
  // The output test of the I/O tab: enable, logic, state.
  instrument.HandleLine("DGIO:OEN4 1");
  instrument.HandleLine("DGIO:SET:OUT4:LOG 0");
  instrument.HandleLine("DGIO:OUT4 1");
  EXPECT_EQ(state(4), "1");
  instrument.HandleLine("DGIO:OUT4 0");
  EXPECT_EQ(state(4), "0");
  instrument.HandleLine("DGIO:OEN3 1");
  EXPECT_EQ(state(3), "0");  // the test state wins while enabled
  instrument.HandleLine("DGIO:OEN3 0");
  EXPECT_EQ(state(3), "1");
}

TEST(InstrumentOutputs, AReadingOnALimitIsInsideIt) {
  const struct {
    const char* setting;
    const char* state;
  } rows[] = {
      {"FUNC IFIN;LIMI:LOW 0.03125;HIGH 0.05", "1"}, {"FUNC IFIN;LIMI:LOW 0.02;HIGH 0.03125", "1"},
      {"FUNC IFIN;LIMI:LOW 0.0313;HIGH 0.05", "0"},  {"FUNC IFOU;LIMI:LOW 0.03125;HIGH 0.05", "0"},
      {"FUNC IFOU;LIMI:LOW 0.02;HIGH 0.03125", "0"}, {"FUNC IFHI;LIMI:HIGH 0.03125", "0"},
      {"FUNC IFLO;LIMI:LOW 0.03125", "0"},
  };
  for (const auto& row : rows) {
    Instrument instrument = QuietInstrument(0.03125);  // exact in binary: no rounding
    instrument.HandleLine(std::string("DGIO:SET:OUT1:") + row.setting);
    EXPECT_EQ(instrument.HandleLine("DGIO:OUT1?"), row.state) << row.setting;
  }
}

}  // namespace
}  // namespace qel::sim
