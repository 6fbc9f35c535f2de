// SPDX-License-Identifier: GPL-3.0-or-later
// Every setting the tool writes, read back with the query the tool sends.
#include <gtest/gtest.h>

#include "sim/instrument.h"

namespace qel::sim {
namespace {

struct RoundTrip {
  const char* setting;
  const char* query;
  const char* answer;
};

class InstrumentCommands : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(InstrumentCommands, SettingThenQuery) {
  Instrument instrument;
  const RoundTrip& row = GetParam();
  EXPECT_EQ(instrument.HandleLine(row.setting), "") << row.setting;
  EXPECT_EQ(instrument.HandleLine(row.query), row.answer) << row.query;
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "0,\"No error\"") << row.setting;
}

INSTANTIATE_TEST_SUITE_P(Measurement, InstrumentCommands,
                         ::testing::Values(RoundTrip{"MODE AC", "MODE?", "AC"},
                                           RoundTrip{"mode peak", "mode?", "PEAK"},
                                           RoundTrip{"UNIT gaus", "UNIT?", "GAUS"},
                                           RoundTrip{"UNIT APM", "unit?", "APM"},
                                           RoundTrip{"UNIT Oe", ":UNIT?", "OE"},
                                           RoundTrip{"RANG:SET 3", "RANG?", "3"},
                                           RoundTrip{"RANGE:SET 0", "RANGe?", "0"},
                                           RoundTrip{"RANG 2", "RANG:SET?", "2"}));

INSTANTIATE_TEST_SUITE_P(
    Outputs, InstrumentCommands,
    ::testing::Values(RoundTrip{"DGIO:SET:OUT2:FUNC IFIN", "DGIO:SET:OUT2:FUNC?", "IFIN"},
                      RoundTrip{"DGIO:SET:OUT4:FUNC ifou", "DGIO:SET:OUT4:FUNC?", "IFOU"},
                      RoundTrip{"DGIO:SET:OUT1:LOG 1", "DGIO:SET:OUT1:LOG?", "1"},
                      RoundTrip{"DGIO:SET:OUT4:LIMI:HIGH 1.5", "DGIO:SET:OUT4:LIMI:HIGH?", "1.5"},
                      RoundTrip{"DGIO:SET:OUT4:LIMI:LOW -1.5", "DGIO:SET:OUT4:LIMI:LOW?", "-1.5"},
                      RoundTrip{"DGIO:SET:OUT3:LIMI:HIGH 2.5E-3", "DGIO:SET:OUT3:LIMI:HIGH?",
                                "0.0025"},
                      RoundTrip{"DGIO:SET:OUT3:LIMI:LOW 0.0000", "DGIO:SET:OUT3:LIMI:LOW?", "0"},
                      RoundTrip{"DGIO:OEN2 1", "DGIO:OEN2?", "1"},
                      RoundTrip{"DGIO:OEN3 1;:DGIO:OUT3 1", "DGIO:OUT3?", "1"}));

INSTANTIATE_TEST_SUITE_P(
    InputsKeysPorts, InstrumentCommands,
    ::testing::Values(RoundTrip{"DGIO:SET:IN2:FUNC NLPK", "DGIO:SET:IN2:FUNC?", "NLPK"},
                      RoundTrip{"DGIO:SET:IN3:FUNC hold", "DGIO:SET:IN3:FUNC?", "HOLD"},
                      RoundTrip{"DGIO:SET:IN2:LOG 1", "DGIO:SET:IN2:LOG?", "1"},
                      RoundTrip{"KEYS:TOP:FUNC No", "KEYS:TOP:FUNC?", "NO"},
                      RoundTrip{"KEYS:BOT:FUNC PKNL", "KEYS:BOT:FUNC?", "PKNL"},
                      RoundTrip{"SERI:COMA:BAUD 14k4", "SERI:COMA:BAUD?", "14K4"},
                      RoundTrip{"SERI:COMA:STOP 2", "SERI:COMA:STOP?", "2"},
                      RoundTrip{"SERI:COMA:PARY EVEN", "SERI:COMA:PARY?", "EVEN"},
                      RoundTrip{"SERI:COMA:MODE FLOW", "SERI:COMA:MODE?", "FLOW"},
                      RoundTrip{"IP:IP1 192", "IP:IP1?", "192"},
                      RoundTrip{"IP:IP3 001", "IP:IP3?", "1"},
                      RoundTrip{"IP:MAS4 000", "IP:MAS4?", "0"},
                      RoundTrip{"IP:MAS2 255", "IP:MAS2?", "255"}));

INSTANTIATE_TEST_SUITE_P(
    Service, InstrumentCommands,
    ::testing::Values(RoundTrip{"INTE:ISND:GAIN 1.0125", "INTE:ISND:GAIN?", "1.0125"},
                      RoundTrip{"INTE:ISND:OFFS -0.003", "INTE:ISND:OFFS?", "-0.003"},
                      RoundTrip{"INTE:CONS:I1MA 0.401", "INTE:CONS:I1MA?", "0.401"},
                      RoundTrip{"INTE:CONS:I3MA 4.02", "INTE:CONS:I3MA?", "4.02"},
                      RoundTrip{"INTE:CONS:MAG:GA7 127.5", "INTE:CONS:MAG:GA7?", "127.5"},
                      RoundTrip{"INTE:CONS:MAG:GA0 0.998", "INTE:CONS:MAG:GA0?", "0.998"},
                      RoundTrip{"INTE:SN \"4711\"", "SN:UNIT?", "4711"},
                      RoundTrip{"INTE:CALI \"\"", "SN:CALI?", ""},
                      RoundTrip{"INTE:SN \"47\"\"11\"", "SN:UNIT?", "47\"11"},
                      RoundTrip{"INTE:RANG 3", "INTE:RANG?", "3"},
                      RoundTrip{"INTE:RANG 7;*RST", "INTE:RANG?", "-1"},
                      RoundTrip{"inte:tlok 1", "inte:tlok?", "1"},
                      RoundTrip{"INTE:HCLN 16", "INTE:HCLN?", "16"}));

INSTANTIATE_TEST_SUITE_P(
    Probe, InstrumentCommands,
    ::testing::Values(
        RoundTrip{"PROB:LOCK 6083;:PROB:NAME \"AB 1\"", "Probe:NAME?",
                  "\"AB 1            KAL 03.2024     \""},
        RoundTrip{"PROB:LOCK 6083;:PROB:CAL \"Cal --\"", "PROB:CAL?", "\"Cal --          \""},
        RoundTrip{"PROB:LOCK 6083;:PROB:Type 3", "Probe:TYPE?", "3"},
        RoundTrip{"PROB:LOCK 6083;:PROB:SN \"990112999\"", "Probe:SN?", "\"990112999\""},
        RoundTrip{"PROB:LOCK 6083;:PROB:SN \"99\"\"01\"", "Probe:SN?", "\"99\"\"01\""},
        RoundTrip{"PROB:LOCK 6083;:PROB:S01 150", "PROB:S01?", "150"},
        RoundTrip{"PROB:LOCK 6083;:PROB:alf1 0.013000000", "PROB:alf1?", "0.013"},
        RoundTrip{"PROB:LOCK 6083;:PROB:ALF2 0.012500000", "PROB:ALF2?", "0.0125"},
        RoundTrip{"PROB:LOCK 6083;:PROB:Ro11 0", "PROB:Ro11?", "0"},
        RoundTrip{"PROB:LOCK 6083;:PROB:Ro32 -0.5", "PROB:Ro32?", "-0.5"},
        RoundTrip{"PROB:LOCK 6083;:PROB:HFRF 8.1234567", "PROB:HFRF?", "8.1234567"}));

TEST(InstrumentCommandsAnswers, IdentityTexts) {
  Instrument instrument;
  EXPECT_EQ(instrument.HandleLine("*idnt?"), "KORVAL QEL11 Teslameter");
  EXPECT_EQ(instrument.HandleLine("*IDN?"), "KORVAL,QEL11,11230042,1.07");
  EXPECT_EQ(instrument.HandleLine("SN:UNIT?"), "11230042");
  EXPECT_EQ(instrument.HandleLine("SN:HW?"), "HW 2.1");
  EXPECT_EQ(instrument.HandleLine("SN:SW?"), "SW 1.07");
  EXPECT_EQ(instrument.HandleLine("SN:CALI?"), "15.03.2024 KORVAL");
  EXPECT_EQ(instrument.HandleLine("Probe:SNEP?"), "2D00000B1C6E4A23");
  EXPECT_EQ(instrument.HandleLine("*opc?"), "1");
  // The name field: 32 characters in quotes, calibration text from character 17.
  const std::string name = instrument.HandleLine("Probe:NAME?");
  ASSERT_EQ(name.size(), 34u);
  EXPECT_EQ(name.substr(17, 16), "KAL 03.2024     ");
}

TEST(InstrumentCommandsAnswers, CompoundQueriesAnswerOneFieldEach) {
  Instrument instrument;
  instrument.HandleLine("RANG:SET 2;:UNIT GAUS");
  EXPECT_EQ(instrument.HandleLine(":rang?;unit?"), "2;GAUS");
  EXPECT_EQ(instrument.HandleLine("MODE?;*OPC?;UNIT?"), "DC;1;GAUS");
  instrument.reading().SetNoiseScale(0);
  instrument.reading().SetField(0.05, 0);
  instrument.HandleLine("peak:null");
  const std::string peaks = instrument.HandleLine(":peak:fast:read?;read:min?;max?");
  EXPECT_EQ(peaks, "5.00000E+02;5.00000E+02;5.00000E+02");
}

TEST(InstrumentCommandsAnswers, BadArgumentsLeaveTheSettingAlone) {
  Instrument instrument;
  instrument.HandleLine("MODE AC");
  instrument.HandleLine("MODE ");       // -109
  instrument.HandleLine("MODE ACX");    // -224
  instrument.HandleLine("MODE AC,DC");  // -108
  EXPECT_EQ(instrument.HandleLine("MODE?"), "AC");
  instrument.HandleLine("IP:IP1 256");
  instrument.HandleLine("DGIO:SET:OUT1:LIMI:HIGH abc");
  instrument.HandleLine("INTE:RANG 8");
  EXPECT_EQ(instrument.HandleLine("IP:IP1?;:DGIO:SET:OUT1:LIMI:HIGH?;:INTE:RANG?"), "192;0;-1");
  EXPECT_EQ(instrument.errors().size(), 6u);
}

TEST(InstrumentCommandsAnswers, ACommandErrorDropsTheRestOfTheLine) {
  Instrument instrument;
  EXPECT_EQ(instrument.HandleLine("MODE?;BOGUS?;UNIT?"), "DC");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "-113,\"Undefined header\"");
  // An execution error does not: the next unit still runs.
  EXPECT_EQ(instrument.HandleLine("PROB:Type 2;:MODE AC;MODE?"), "AC");
}

TEST(InstrumentCommandsAnswers, StoreKeepsACopyForPowerUp) {
  Instrument instrument;
  instrument.HandleLine("MODE PEAK");
  instrument.HandleLine("DGIO:SET:OUT2:FUNC IFHI");
  EXPECT_EQ(instrument.HandleLine("par:savw?"), "0");
  EXPECT_TRUE(instrument.TakeStoredChange());
  EXPECT_FALSE(instrument.TakeStoredChange());
  instrument.HandleLine("MODE AC");
  instrument.HandleLine("*RST");
  EXPECT_EQ(instrument.HandleLine("MODE?"), "DC");
  instrument.PowerUp();
  EXPECT_EQ(instrument.HandleLine("MODE?;:DGIO:SET:OUT2:FUNC?"), "PEAK;IFHI");
}

}  // namespace
}  // namespace qel::sim
