// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../diag/scripted_instrument.h"
#include "core/pages/in_line_model.h"
#include "core/pages/out_line_model.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using Lines = std::vector<std::string>;

TEST(OutLineModel, WriteSendsLimitsAsTyped) {
  struct Row {
    int tag, function, logic;
    std::string og, ug;
    Lines lines;
  };
  const std::vector<Row> rows = {
      {4,
       5,
       1,
       "1.5",
       "-1.5",
       {"DGIO:SET:OUT4:FUNC IFOU", "DGIO:SET:OUT4:LOG 1", "DGIO:SET:OUT4:LIMI:HIGH 1.5",
        "DGIO:SET:OUT4:LIMI:LOW -1.5"}},
      // an empty limit field sends no limit line
      {2,
       4,
       0,
       "",
       "0.0000",
       {"DGIO:SET:OUT2:FUNC IFIN", "DGIO:SET:OUT2:LOG 0", "DGIO:SET:OUT2:LIMI:LOW 0.0000"}},
      {1,
       0,
       0,
       "2.",
       "",
       {"DGIO:SET:OUT1:FUNC NO", "DGIO:SET:OUT1:LOG 0", "DGIO:SET:OUT1:LIMI:HIGH 2."}},
      // no selection: header and blank; the other lines still go out in order
      {3, -1, -1, "", "", {"DGIO:SET:OUT3:FUNC ", "DGIO:SET:OUT3:LOG "}},
  };
  for (const Row& row : rows) {
    ScriptedInstrument meter;
    OutLineModel page(row.tag);
    page.Funk.SetIndex(row.function);
    page.Logic.SetIndex(row.logic);
    page.OG.SetText(row.og);
    page.UG.SetText(row.ug);
    page.WriteToDevice(meter.Session());
    EXPECT_EQ(meter.Lines(), row.lines);
  }
}

TEST(OutLineModel, ReadSetsBoxesAndLimitTexts) {
  struct Row {
    std::string func, log, high, low;
    int function, logic;
    std::string og, ug;
  };
  const std::vector<Row> rows = {
      {"IFLO", "0", "2.5E-3", "1E-3", 3, 0, "0.0025", "0.0010"},
      {"ifin", "1", "-12", "+7.25", 4, 1, "-12.0000", "7.2500"},
      {"IFIN ", "2", "abc", "", -1, -1, "0.0000", "0.0000"},
      {"IFRN", "1", "-0.00001", "1E13", 7, 1, "-0.0000", "1E0013"},
      {"", "", "", "", -1, -1, "0.0000", "0.0000"},
  };
  for (const Row& row : rows) {
    ScriptedInstrument meter({{"DGIO:SET:OUT2:FUNC?", row.func},
                              {"DGIO:SET:OUT2:LOG?", row.log},
                              {"DGIO:SET:OUT2:LIMI:HIGH?", row.high},
                              {"DGIO:SET:OUT2:LIMI:LOW?", row.low}});
    OutLineModel page(2);
    page.OG.SetText("9");
    page.UG.SetText("9");
    page.ReadFromDevice(meter.Session());
    EXPECT_EQ(meter.Lines(), (Lines{"DGIO:SET:OUT2:FUNC?", "DGIO:SET:OUT2:LOG?",
                                    "DGIO:SET:OUT2:LIMI:HIGH?", "DGIO:SET:OUT2:LIMI:LOW?"}));
    EXPECT_EQ(page.Funk.Index(), row.function) << row.func;
    EXPECT_EQ(page.Logic.Index(), row.logic) << row.log;
    EXPECT_EQ(page.OG.Text(), row.og) << row.high;
    EXPECT_EQ(page.UG.Text(), row.ug) << row.low;
  }
}

TEST(OutLineModel, EnablingFollowsTheFunction) {
  struct Row {
    int position;
    OutLineEnabling enabled;
  };
  const std::vector<Row> rows = {
      {-1, {false, false, false}}, {0, {false, false, false}}, {1, {false, false, false}},
      {2, {true, true, false}},    {3, {true, false, true}},   {4, {true, true, true}},
      {5, {true, true, true}},     {6, {true, false, false}},  {7, {true, false, false}},
      {8, {false, false, false}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(OutLineEnablingFor(row.position), row.enabled) << row.position;
  }
}

TEST(OutLineModel, SaveAndLoad) {
  OutLineModel page(3);
  page.Funk.SetIndex(5);
  page.Logic.SetIndex(-1);
  page.OG.SetText("1.5");
  page.UG.SetText("");
  IniDocument file;
  page.SaveToIni(file);
  EXPECT_EQ(file.Serialize(),
            "[Output3]\r\nDGIO:SET:OUT:FUNC=5\r\nDGIO:SET:OUT:LOG=-1\r\n"
            "DGIO:SET:OUT:LIMI:HIGH=1.5\r\nDGIO:SET:OUT:LIMI:LOW=\r\n");

  OutLineModel back(3);
  back.LoadFromIni(file);
  EXPECT_EQ(back.Funk.Index(), 5);
  EXPECT_EQ(back.Logic.Index(), -1);
  EXPECT_EQ(back.OG.Text(), "1.5");
  EXPECT_EQ(back.UG.Text(), "");

  // missing limit keys load "0", not "0.0000"; a position outside the list, none
  OutLineModel other(1);
  other.LoadFromIni(IniDocument::Parse("[Output1]\r\nDGIO:SET:OUT:FUNC=8\r\n"));
  EXPECT_EQ(other.Funk.Index(), -1);
  EXPECT_EQ(other.Logic.Index(), 0);
  EXPECT_EQ(other.OG.Text(), "0");
  EXPECT_EQ(other.UG.Text(), "0");
  // the section carries the channel: output 1 does not read Output3
  other.LoadFromIni(file);
  EXPECT_EQ(other.Funk.Index(), 0);
}

TEST(InLineModel, ReadWriteSaveLoad) {
  ScriptedInstrument meter({{"DGIO:SET:IN3:FUNC?", "null"}, {"DGIO:SET:IN3:LOG?", "1"}});
  InLineModel page(3);
  page.ReadFromDevice(meter.Session());
  EXPECT_EQ(page.Funk.Index(), 3);
  EXPECT_EQ(page.Logic.Index(), 1);
  page.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"DGIO:SET:IN3:FUNC?", "DGIO:SET:IN3:LOG?",
                                  "DGIO:SET:IN3:FUNC NULL", "DGIO:SET:IN3:LOG 1"}));

  ScriptedInstrument second;
  InLineModel input2(2);
  input2.Funk.SetIndex(2);
  input2.Logic.SetIndex(1);
  input2.WriteToDevice(second.Session());
  EXPECT_EQ(second.Lines(), (Lines{"DGIO:SET:IN2:FUNC NLPK", "DGIO:SET:IN2:LOG 1"}));

  IniDocument file;
  input2.SaveToIni(file);
  EXPECT_EQ(file.Serialize(), "[Input2]\r\nDGIO:SET:IN:FUNC=2\r\nDGIO:SET:IN:LOG=1\r\n");
  InLineModel back(2);
  back.Funk.SetIndex(-1);
  back.LoadFromIni(IniDocument::Parse("[Input2]\r\nDGIO:SET:IN:LOG=1\r\n"));
  EXPECT_EQ(back.Funk.Index(), 0);
  EXPECT_EQ(back.Logic.Index(), 1);
}

}  // namespace
}  // namespace qel
