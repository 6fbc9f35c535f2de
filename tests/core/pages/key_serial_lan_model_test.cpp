// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../diag/scripted_instrument.h"
#include "core/pages/eia232_model.h"
#include "core/pages/lan_model.h"
#include "core/pages/tasten_model.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using Lines = std::vector<std::string>;

TEST(TastenModel, UpperAndLowerKey) {
  ScriptedInstrument meter({{"KEYS:TOP:FUNC?", "RANG"}, {"KEYS:BOT:FUNC?", "NO"}});
  TastenModel upper(0), lower(1);
  upper.ReadFromDevice(meter.Session());
  lower.ReadFromDevice(meter.Session());
  EXPECT_EQ(upper.Funk.Index(), 1);
  EXPECT_EQ(lower.Funk.Index(), 0);

  upper.Funk.SetIndex(0);
  lower.Funk.SetIndex(2);
  upper.WriteToDevice(meter.Session());
  lower.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(),
            (Lines{"KEYS:TOP:FUNC?", "KEYS:BOT:FUNC?", "KEYS:TOP:FUNC No", "KEYS:BOT:FUNC PKNL"}));

  IniDocument file;
  lower.SaveToIni(file);
  EXPECT_EQ(file.Serialize(), "[KEYSBOT]\r\nFUNC=2\r\n");

  TastenModel loaded(1);
  loaded.LoadFromIni(IniDocument::Parse("[KEYSBOT]\r\nFUNC=3\r\n[KEYSTOP]\r\nFUNC=1\r\n"));
  EXPECT_EQ(loaded.Funk.Index(), 3);
  EXPECT_EQ(loaded.Funk.Items()[3], "Sonde Nullsetzen");
}

TEST(TastenModel, UnknownReplyWritesNoArgument) {
  ScriptedInstrument meter(std::map<std::string, std::string>{{"KEYS:TOP:FUNC?", "PEAK"}});
  TastenModel upper(0);
  upper.ReadFromDevice(meter.Session());
  upper.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"KEYS:TOP:FUNC?", "KEYS:TOP:FUNC "}));
}

TEST(EIA232Model, ReadWriteSaveLoad) {
  ScriptedInstrument meter({{"SERI:COMA:BAUD?", "9600"},
                            {"SERI:COMA:STOP?", "2"},
                            {"SERI:COMA:PARY?", "even"},
                            {"SERI:COMA:MODE?", "FLOW"}});
  EIA232Model page;
  page.ReadFromDevice(meter.Session());
  EXPECT_EQ(page.Baud.Index(), 3);
  EXPECT_EQ(page.StopBit.Index(), 1);
  EXPECT_EQ(page.Parity.Index(), 1);
  EXPECT_EQ(page.Mode.Index(), 2);
  page.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"SERI:COMA:BAUD?", "SERI:COMA:STOP?", "SERI:COMA:PARY?",
                                  "SERI:COMA:MODE?", "SERI:COMA:BAUD 9600", "SERI:COMA:STOP 2",
                                  "SERI:COMA:PARY EVEN", "SERI:COMA:MODE FLOW"}));

  IniDocument file;
  page.SaveToIni(file);
  EXPECT_EQ(file.Serialize(),
            "[Seri]\r\nSERI:COMA:BAUD=3\r\nSERI:COMA:STOP=1\r\nSERI:COMA:PARY=1\r\n"
            "SERI:COMA:MODE=2\r\n");
  EIA232Model loaded;
  loaded.LoadFromIni(IniDocument::Parse("[Seri]\r\nSERI:COMA:BAUD=6\r\nSERI:COMA:PARY=3\r\n"));
  EXPECT_EQ(loaded.Baud.Index(), 6);
  EXPECT_EQ(loaded.StopBit.Index(), 0);
  EXPECT_EQ(loaded.Parity.Index(), -1);
  EXPECT_EQ(loaded.Mode.Index(), 0);
}

TEST(OctetRules, PadChangeAndExit) {
  EXPECT_EQ(PadOctet(""), "000");
  EXPECT_EQ(PadOctet("7"), "007");
  EXPECT_EQ(PadOctet("42"), "042");
  EXPECT_EQ(PadOctet("255"), "255");
  EXPECT_EQ(PadOctet("1234"), "123");

  struct Row {
    std::string text;
    bool valid;
  };
  const std::vector<Row> rows = {{"0", true},    {"7", true},
                                 {"255", true},  {"000", true},
                                 {"0012", true}, {"256", false},
                                 {"", false},    {"-", false},
                                 {"+5", false},  {"-5", false},
                                 {" 5", false},  {"$FF", false},
                                 {"1a", false},  {"99999999999999999999", false}};
  for (const Row& row : rows) {
    EXPECT_EQ(OctetTextValid(row.text), row.valid) << row.text;
    const OctetChange change = OctetAfterChange(row.text);
    EXPECT_EQ(change.reset, !row.valid) << row.text;
    EXPECT_EQ(change.text, row.valid ? row.text : "000") << row.text;
  }

  // typing 2, 5, 6 into a selected field
  IpAdrInModel address;
  EXPECT_FALSE(address.SetOctet(2, "2"));
  EXPECT_EQ(address.Octet(2), "2");
  EXPECT_FALSE(address.SetOctet(2, "25"));
  EXPECT_TRUE(address.SetOctet(2, "256"));
  EXPECT_EQ(address.Octet(2), "000");
  address.SetOctet(3, "9");
  address.ExitOctet(3);
  EXPECT_EQ(address.Octet(3), "009");
  EXPECT_THROW(address.Octet(5), std::out_of_range);
}

TEST(LANModel, ReadAsksThirdFourthSecondFirst) {
  ScriptedInstrument meter({{"IP:IP1?", "10"},
                            {"IP:IP2?", "0"},
                            {"IP:IP3?", "0"},
                            {"IP:IP4?", "7"},
                            {"IP:MAS1?", "300"},
                            {"IP:MAS2?", "abc"},
                            {"IP:MAS3?", "1234"},
                            {"IP:MAS4?", "-1"}});
  LANModel page;
  page.ReadFromDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"IP:IP3?", "IP:IP4?", "IP:IP2?", "IP:IP1?", "IP:MAS3?",
                                  "IP:MAS4?", "IP:MAS2?", "IP:MAS1?"}));
  const Lines address = {page.Ip_Adr_In.Octet(1), page.Ip_Adr_In.Octet(2), page.Ip_Adr_In.Octet(3),
                         page.Ip_Adr_In.Octet(4)};
  EXPECT_EQ(address, (Lines{"010", "000", "000", "007"}));
  // above 255 and not a number: "000"; a long reply keeps its first three characters
  const Lines mask = {page.Sub_Adr_In.Octet(1), page.Sub_Adr_In.Octet(2), page.Sub_Adr_In.Octet(3),
                      page.Sub_Adr_In.Octet(4)};
  EXPECT_EQ(mask, (Lines{"000", "000", "123", "000"}));
}

TEST(LANModel, WriteSaveLoad) {
  LANModel page;
  page.Ip_Adr_In.SetAddress("192", "168", "1", "5");
  page.Sub_Adr_In.SetAddress("255", "255", "255", "0");
  ScriptedInstrument meter;
  page.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"IP:IP1 192", "IP:IP2 168", "IP:IP3 001", "IP:IP4 005",
                                  "IP:MAS1 255", "IP:MAS2 255", "IP:MAS3 255", "IP:MAS4 000"}));
  IniDocument file;
  page.SaveToIni(file);
  EXPECT_EQ(file.Serialize(),
            "[LAN]\r\nIP:IP1=192\r\nIP:IP2=168\r\nIP:IP3=001\r\nIP:IP4=005\r\n"
            "IP:MAS1=255\r\nIP:MAS2=255\r\nIP:MAS3=255\r\nIP:MAS4=000\r\n");

  // loaded straight into the fields: no padding, but the change rule
  LANModel loaded;
  loaded.Ip_Adr_In.SetAddress("1", "2", "3", "4");
  loaded.LoadFromIni(
      IniDocument::Parse("[LAN]\r\nIP:IP1=7\r\nIP:IP2=300\r\nIP:IP3=\r\nIP:MAS1= 42 \r\n"));
  EXPECT_EQ(loaded.Ip_Adr_In.Octet(1), "7");
  EXPECT_EQ(loaded.Ip_Adr_In.Octet(2), "000");
  EXPECT_EQ(loaded.Ip_Adr_In.Octet(3), "000");
  EXPECT_EQ(loaded.Ip_Adr_In.Octet(4), "000");
  EXPECT_EQ(loaded.Sub_Adr_In.Octet(1), "42");
  EXPECT_EQ(loaded.Sub_Adr_In.Octet(2), "000");
}

}  // namespace
}  // namespace qel
