// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/parameter_pages.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "../diag/scripted_instrument.h"
#include "../test_data.h"
#include "core/platform/ini_document.h"
#include "tricky_replies.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using testing::TestDataLines;
using Lines = std::vector<std::string>;

// The lines "Alles lesen" sends, in page order (shared with the window program's tests).
const Lines kReadAllLines = TestDataLines("pages/read_all_lines.txt");

TEST(ParameterPages, ReadAllSendsThirtyNineLinesInPageOrder) {
  ASSERT_EQ(kReadAllLines.size(), 39u);
  ScriptedInstrument meter;
  ParameterPages pages;
  pages.ReadAll(meter.Session());
  EXPECT_EQ(meter.Lines(), kReadAllLines);
}

TEST(ParameterPages, InitialPagesWriteTheirDefaults) {
  ScriptedInstrument meter;
  const ParameterPages pages;
  pages.WriteAll(meter.Session());
  Lines expected = {"MODE DC", "UNIT TESL", "RANG:SET 3"};
  for (int n = 1; n <= 4; ++n) {
    const std::string out = "DGIO:SET:OUT" + std::to_string(n);
    expected.insert(expected.end(), {out + ":FUNC NO", out + ":LOG 0", out + ":LIMI:HIGH 0.0000",
                                     out + ":LIMI:LOW 0.0000"});
  }
  for (int n = 1; n <= 3; ++n) {
    const std::string in = "DGIO:SET:IN" + std::to_string(n);
    expected.insert(expected.end(), {in + ":FUNC NO", in + ":LOG 0"});
  }
  expected.insert(
      expected.end(),
      {"KEYS:TOP:FUNC No", "KEYS:BOT:FUNC No", "IP:IP1 000", "IP:IP2 000", "IP:IP3 000",
       "IP:IP4 000", "IP:MAS1 000", "IP:MAS2 000", "IP:MAS3 000", "IP:MAS4 000",
       "SERI:COMA:BAUD 1200", "SERI:COMA:STOP 1", "SERI:COMA:PARY NONE", "SERI:COMA:MODE SCPI"});
  EXPECT_EQ(meter.Lines(), expected);
}

TEST(ParameterPages, WriteAllAfterReadingTrickyReplies) {
  ScriptedInstrument meter(testing::TrickyReplies());
  ParameterPages pages;
  pages.ReadAll(meter.Session());
  meter.ClearLines();
  pages.WriteAll(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"MODE AC",
                                  "UNIT GAUS",
                                  "RANG:SET 2",
                                  "DGIO:SET:OUT1:FUNC IFHI",
                                  "DGIO:SET:OUT1:LOG 1",
                                  "DGIO:SET:OUT1:LIMI:HIGH 0.0025",
                                  "DGIO:SET:OUT1:LIMI:LOW -1.0000",
                                  "DGIO:SET:OUT2:FUNC ",
                                  "DGIO:SET:OUT2:LOG 0",
                                  "DGIO:SET:OUT2:LIMI:HIGH 0.0000",
                                  "DGIO:SET:OUT2:LIMI:LOW 0.0000",
                                  "DGIO:SET:OUT3:FUNC IFRN",
                                  "DGIO:SET:OUT3:LOG ",
                                  "DGIO:SET:OUT3:LIMI:HIGH -0.0000",
                                  "DGIO:SET:OUT3:LIMI:LOW 123456.7890",
                                  "DGIO:SET:OUT4:FUNC ON",
                                  "DGIO:SET:OUT4:LOG 0",
                                  "DGIO:SET:OUT4:LIMI:HIGH 1E0013",
                                  "DGIO:SET:OUT4:LIMI:LOW 0.0001",
                                  "DGIO:SET:IN1:FUNC HOLD",
                                  "DGIO:SET:IN1:LOG 1",
                                  "DGIO:SET:IN2:FUNC NLPK",
                                  "DGIO:SET:IN2:LOG 0",
                                  "DGIO:SET:IN3:FUNC ",
                                  "DGIO:SET:IN3:LOG 1",
                                  "KEYS:TOP:FUNC No",
                                  "KEYS:BOT:FUNC PKNL",
                                  "IP:IP1 192",
                                  "IP:IP2 168",
                                  "IP:IP3 001",
                                  "IP:IP4 000",
                                  "IP:MAS1 255",
                                  "IP:MAS2 255",
                                  "IP:MAS3 255",
                                  "IP:MAS4 000",
                                  "SERI:COMA:BAUD 38K4",
                                  "SERI:COMA:STOP 2",
                                  "SERI:COMA:PARY ODD",
                                  "SERI:COMA:MODE SHOR"}));
  EXPECT_EQ(pages.EinheitenFrame1.RangeItems()[2], "10 kG");
}

// The window carries on with replies that do not fit; the read tells which they were.
// Lines without any answer are the session's business and not among them.
TEST(ParameterPages, ReadAllNamesTheRepliesThatDoNotFit) {
  ScriptedInstrument meter(testing::TrickyReplies());
  EXPECT_EQ(ParameterPages().ReadAll(meter.Session()),
            (UnfitReplies{{"DGIO:SET:OUT2:FUNC?", "ifou "},
                          {"DGIO:SET:OUT2:LIMI:HIGH?", "abc"},
                          {"DGIO:SET:OUT2:LIMI:LOW?", ""},
                          {"DGIO:SET:OUT3:LOG?", "2"},
                          {"DGIO:SET:IN3:FUNC?", "XYZ"},
                          {"IP:IP4?", "300"}}));
  ScriptedInstrument absent({}, /*present=*/false);
  EXPECT_TRUE(ParameterPages().ReadAll(absent.Session()).empty());
}

TEST(ParameterPages, ReadAllWithoutInstrumentLeavesEveryPageEmpty) {
  ScriptedInstrument none({}, false);
  ParameterPages pages;
  pages.ReadAll(none.Session());
  EXPECT_EQ(pages.EinheitenFrame1.Mess_Modus.Index(), -1);
  EXPECT_EQ(pages.EinheitenFrame1.Bereich.Index(), -1);
  EXPECT_EQ(pages.OutLineFrame4.Funk.Index(), -1);
  EXPECT_EQ(pages.OutLineFrame4.OG.Text(), "0.0000");
  EXPECT_EQ(pages.InLineFrame3.Logic.Index(), -1);
  EXPECT_EQ(pages.TastenFrame2.Funk.Index(), -1);
  EXPECT_EQ(pages.LANFrame1.Sub_Adr_In.Octet(4), "000");
  EXPECT_EQ(pages.EIA232Frame1.Mode.Index(), -1);
}

TEST(ParameterPages, StoreAndInitialValues) {
  ScriptedInstrument meter;
  ParameterPages::Store(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"par:savw?"}));

  const ParameterPages pages;
  EXPECT_EQ(pages.EinheitenFrame1.Bereich.Index(), 3);
  EXPECT_EQ(pages.EinheitenFrame1.RangeItems()[3], "4500 mT / 10T");
  EXPECT_FALSE(pages.EinheitenFrame1.Auto);
  EXPECT_EQ(pages.TastenFrame2.Section(), "KEYSBOT");
  EXPECT_EQ(pages.OutLineFrame3.Section(), "Output3");
  EXPECT_EQ(pages.InLineFrame2.Section(), "Input2");
  // a copy visits its own pages
  ParameterPages copy = pages;
  copy.OutLineFrame1.OG.SetText("5");
  for (ParameterPage* page : copy.InPageOrder()) page->LoadFromIni(IniDocument());
  EXPECT_EQ(copy.OutLineFrame1.OG.Text(), "0");
  EXPECT_EQ(pages.OutLineFrame1.OG.Text(), "0.0000");
}

}  // namespace
}  // namespace qel
