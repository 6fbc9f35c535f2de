// SPDX-License-Identifier: GPL-3.0-or-later
// Probe memory and internal constants: what the service code unlocks.
#include <gtest/gtest.h>

#include "sim/instrument.h"

namespace qel::sim {
namespace {

TEST(ProbeMemoryLock, ReadAndWriteAnswerOneOnlyWhenUnlocked) {
  Instrument instrument;
  EXPECT_EQ(instrument.HandleLine("PROB:READ?"), "0");
  EXPECT_EQ(instrument.HandleLine("PROB:WRIT?"), "0");
  EXPECT_EQ(instrument.HandleLine("PROB:LOCK 6083; *opc?"), "1");
  EXPECT_EQ(instrument.HandleLine("PROB:READ?"), "1");
  EXPECT_EQ(instrument.HandleLine("PROB:WRIT?"), "1");
  EXPECT_EQ(instrument.HandleLine("PROB:LOCK 0; *opc?"), "1");
  EXPECT_EQ(instrument.HandleLine("PROB:READ?"), "0");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "-203,\"Command protected\"");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "-203,\"Command protected\"");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "-203,\"Command protected\"");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "0,\"No error\"");
}

TEST(ProbeMemoryLock, SettingsWhileLockedAreRefused) {
  Instrument instrument;
  instrument.HandleLine("PROB:NAME \"X\"");
  instrument.HandleLine("PROB:S01 1");
  EXPECT_EQ(instrument.HandleLine("PROB:S01?"), "150.2");
  EXPECT_EQ(instrument.errors().size(), 2u);
  // A wrong code is an illegal value and leaves the memory locked.
  instrument.HandleLine("PROB:LOCK 1234");
  EXPECT_EQ(instrument.HandleLine("PROB:READ?"), "0");
}

TEST(ProbeMemoryLock, TheToolsWriteSequenceReachesTheEeprom) {
  Instrument instrument;
  const char* lines[] = {
      "PROB:LOCK 6083; *opc?", "PROB:NAME \"Name --\"", "PROB:CAL \"Cal --\"",   "PROB:Type 2",
      "PROB:SN \"990112999\"", "PROB:S01 150",          "PROB:alf1 0.013000000", "PROB:Ro11 0",
      "PROB:Ro31 0",           "PROB:S02 150",          "PROB:ALF2 0.013000000", "PROB:Ro12 0",
      "PROB:Ro32 0",           "PROB:HFRF 0",
  };
  for (const char* line : lines) instrument.HandleLine(line);
  EXPECT_EQ(instrument.HandleLine("PROB:WRIT?"), "1");
  EXPECT_EQ(instrument.HandleLine("PROB:LOCK 0; *opc?"), "1");
  EXPECT_EQ(instrument.errors().size(), 0u);
  const ProbeData& eeprom = instrument.probe().eeprom();
  EXPECT_EQ(eeprom.name, "Name --");
  EXPECT_EQ(eeprom.calText, "Cal --");
  EXPECT_EQ(eeprom.type, 2);
  EXPECT_EQ(eeprom.serial, "990112999");
  EXPECT_EQ(eeprom.alfa[1], 0.013);
  EXPECT_EQ(eeprom.reference8T, 0);
  EXPECT_EQ(instrument.HandleLine("Probe:NAME?"), "\"Name --         Cal --          \"");
}

TEST(ProbeMemoryLock, ReadReloadsTheEepromAndPowerUpLocks) {
  Instrument instrument;
  instrument.HandleLine("PROB:LOCK 6083");
  instrument.HandleLine("PROB:Type 4");  // working copy only
  EXPECT_EQ(instrument.HandleLine("Probe:TYPE?"), "4");
  EXPECT_EQ(instrument.HandleLine("PROB:READ?"), "1");
  EXPECT_EQ(instrument.HandleLine("Probe:TYPE?"), "0");
  instrument.HandleLine("PROB:NAME \"a name longer than sixteen\"");
  EXPECT_EQ(instrument.probe().working().name, "a name longer th");
  instrument.PowerUp();
  EXPECT_EQ(instrument.HandleLine("PROB:WRIT?"), "0");
  EXPECT_EQ(instrument.probe().working().name, "HS-TR 10T");
}

TEST(ConstantMemoryLock, ValuesChangeFreelyStoringNeedsTheCode) {
  Instrument instrument;
  instrument.HandleLine("INTE:ISND:GAIN 1.5");
  EXPECT_EQ(instrument.HandleLine("INTE:ISND:GAIN?"), "1.5");
  EXPECT_EQ(instrument.HandleLine("INTE:SAVE?"), "1");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "-203,\"Command protected\"");
  instrument.HandleLine("INTE:DEFA");
  EXPECT_EQ(instrument.HandleLine("syst:err?"), "-203,\"Command protected\"");
  EXPECT_EQ(instrument.HandleLine("INTE:ISND:GAIN?"), "1.5");
  EXPECT_EQ(instrument.constants().stored().probeCurrentGain, 1.0);

  instrument.HandleLine("INTE:LOCK 6083");
  EXPECT_EQ(instrument.HandleLine("INTE:SAVE?"), "0");
  EXPECT_TRUE(instrument.TakeStoredChange());
  EXPECT_EQ(instrument.constants().stored().probeCurrentGain, 1.5);
  instrument.HandleLine("INTE:DEFA");
  EXPECT_EQ(instrument.HandleLine("INTE:ISND:GAIN?"), "1");
  instrument.PowerUp();  // the stored values come back, locked again
  EXPECT_EQ(instrument.HandleLine("INTE:ISND:GAIN?;:INTE:LOCK?"), "1.5;1");
}

TEST(ConstantMemoryLock, TheToolsParameterWriteIsStored) {
  Instrument instrument;
  std::vector<std::string> lines = {"INTE:ISND:GAIN 1.01", "INTE:ISND:OFFS -0.002",
                                    "INTE:CONS:I1MA 0.402", "INTE:CONS:I3MA 4.01"};
  for (int k = 0; k < 8; ++k) {
    lines.push_back("INTE:CONS:MAG:GA" + std::to_string(k) + " " + std::to_string(1 << k));
  }
  lines.push_back("INTE:SN \"4711\"");
  lines.push_back("INTE:CALI \"\"");
  lines.push_back("INTE:LOCK 6083");
  for (const auto& line : lines) EXPECT_EQ(instrument.HandleLine(line), "") << line;
  EXPECT_EQ(instrument.HandleLine("INTE:SAVE?"), "0");
  EXPECT_EQ(instrument.errors().size(), 0u);
  EXPECT_EQ(instrument.constants().stored().serial, "4711");
  EXPECT_EQ(instrument.constants().stored().calInfo, "");
  EXPECT_EQ(instrument.constants().stored().current1, 0.402);
}

TEST(ConstantMemoryLock, ProbeCurrentFollowsGainAndOffset) {
  Instrument instrument;
  const double current = std::stod(instrument.HandleLine("INTE:ISND:GET?"));
  EXPECT_NEAR(current, 1.0, 0.02);
  instrument.HandleLine("INTE:ISND:GAIN 2;OFFS 0.5");
  EXPECT_NEAR(std::stod(instrument.HandleLine("INTE:ISND:GET?")), 2.5, 0.04);
}

}  // namespace
}  // namespace qel::sim
