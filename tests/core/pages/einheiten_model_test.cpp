// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/einheiten_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../diag/scripted_instrument.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using Lines = std::vector<std::string>;

std::vector<std::string> Texts(std::span<const std::string_view> items) {
  return {items.begin(), items.end()};
}

TEST(EinheitenModel, ReadSetsBoxesAndRangeTexts) {
  struct Row {
    std::string mode, range, unit;
    int modeIndex, rangeIndex, unitIndex;
    std::string rangeText;  // item at the range position, or of position 3 without one
  };
  const std::vector<Row> rows = {
      {"AC", "3", "GAUS", 1, 3, 1, "30 kG (70 kG)"},
      {"dc", "0", "tesl", 0, 0, 0, "10 mT"},
      {"PEAK", "3", "APM", 2, 3, 3, "3500 kA/m (8000 kA/m)"},
      {"Ac", "1", "Oe", 1, 1, 2, "1000 Oe"},
      // unknown or untrimmed replies: no selection; without a mode the range keeps the
      // box's own texts
      {"DC ", "2", "TESL", -1, 2, 0, "1000 mT"},
      {"DC", "4", "TESL", 0, -1, 0, "4500 mT (10 T)"},
      {"", "", "", -1, -1, -1, "4500 mT / 10T"},
      {"AC", "3", "T", 1, 3, -1, "4500 mT / 10T"},
  };
  for (const Row& row : rows) {
    ScriptedInstrument meter({{"MODE?", row.mode}, {"RANG?", row.range}, {"UNIT?", row.unit}});
    EinheitenModel page;
    page.ReadFromDevice(meter.Session());
    EXPECT_EQ(meter.Lines(), (Lines{"MODE?", "RANG?", "UNIT?"}));
    EXPECT_EQ(page.Mess_Modus.Index(), row.modeIndex) << row.mode;
    EXPECT_EQ(page.Bereich.Index(), row.rangeIndex) << row.range;
    EXPECT_EQ(page.Einheit.Index(), row.unitIndex) << row.unit;
    const int shown = row.rangeIndex >= 0 ? row.rangeIndex : 3;
    EXPECT_EQ(page.RangeItems()[static_cast<std::size_t>(shown)], row.rangeText) << row.mode;
  }
}

TEST(EinheitenModel, WriteSendsModeUnitRange) {
  ScriptedInstrument meter;
  EinheitenModel page;
  page.Mess_Modus.SetIndex(2);
  page.Einheit.SetIndex(3);
  page.Bereich.SetIndex(1);
  page.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"MODE PEAK", "UNIT APM", "RANG:SET 1"}));

  meter.ClearLines();
  page.Mess_Modus.SetIndex(-1);
  page.Einheit.SetIndex(7);
  page.Bereich.SetIndex(-1);
  page.WriteToDevice(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"MODE ", "UNIT ", "RANG:SET "}));
}

TEST(EinheitenModel, RangeTextsFollowModeAndUnit) {
  EinheitenModel page;
  EXPECT_EQ(Texts(page.RangeItems()), (Lines{"10 mT", "100 mT", "1000 mT", "4500 mT / 10T"}));
  page.Bereich.SetIndex(3);
  page.Einheit.SetIndex(3);
  page.UpdateRangeItems();
  EXPECT_EQ(page.Bereich.Index(), 3);
  EXPECT_EQ(page.RangeItems()[3], "3500 kA/m (8000 kA/m)");

  page.Einheit.SetIndex(0);
  page.UpdateRangeItems();
  const Lines dc = Texts(page.RangeItems());
  page.Mess_Modus.SetIndex(2);
  page.UpdateRangeItems();
  EXPECT_EQ(Texts(page.RangeItems()), dc);
  page.Mess_Modus.SetIndex(1);
  page.UpdateRangeItems();
  EXPECT_EQ(Texts(page.RangeItems()), (Lines{"10 mT", "100 mT", "1000 mT", "3000 mT (7000 mT)"}));

  // no list for a box without selection: the texts stay
  page.Einheit.SetIndex(-1);
  page.UpdateRangeItems();
  EXPECT_EQ(page.RangeItems()[3], "3000 mT (7000 mT)");
  EXPECT_TRUE(RangeItemsFor(3, 0).empty());
  EXPECT_TRUE(RangeItemsFor(0, 4).empty());
  EXPECT_TRUE(RangeItemsFor(-1, 0).empty());
}

TEST(EinheitenModel, UserChangesWriteOnlyWithAuto) {
  ScriptedInstrument meter;
  EinheitenModel page;
  page.Einheit.SetIndex(1);
  page.ModeOrUnitChangedByUser(meter.Session());
  page.RangeChangedByUser(meter.Session());
  EXPECT_TRUE(meter.Lines().empty());
  EXPECT_EQ(page.RangeItems()[3], "45 kG (100 kG)");

  page.Auto = true;
  page.Bereich.SetIndex(2);
  page.RangeChangedByUser(meter.Session());
  page.Mess_Modus.SetIndex(1);
  page.ModeOrUnitChangedByUser(meter.Session());
  EXPECT_EQ(meter.Lines(),
            (Lines{"MODE DC", "UNIT GAUS", "RANG:SET 2", "MODE AC", "UNIT GAUS", "RANG:SET 2"}));
  EXPECT_EQ(page.RangeItems()[3], "30 kG (70 kG)");
}

TEST(EinheitenModel, SaveAndLoad) {
  EinheitenModel page;
  page.Mess_Modus.SetIndex(1);
  page.Bereich.SetIndex(-1);
  IniDocument file;
  page.SaveToIni(file);
  EXPECT_EQ(file.Serialize(), "[Mode]\r\nMODE=1\r\nUNIT=0\r\nRANG:SET=-1\r\n");

  struct Row {
    std::string bytes;
    int mode, unit, range;
    std::string range3;
  };
  const std::vector<Row> rows = {
      {"", 0, 0, 0, "4500 mT (10 T)"},
      {"[Mode]\r\nMODE=1\r\nUNIT=2\r\nRANG:SET=3\r\n", 1, 2, 3, "30 kOe (70 kOe)"},
      {"[mode]\r\nmode = 2\r\n", 2, 0, 0, "4500 mT (10 T)"},
      // a value that is no number loads the default, a position outside the list none
      {"[Mode]\r\nMODE=x\r\nUNIT=4\r\nRANG:SET=-1\r\n", 0, -1, -1, "4500 mT / 10T"},
      {"[Mode]\r\nMODE=0x1\r\nUNIT=$3\r\nRANG:SET=\r\n", 1, 3, 0, "2500 kA/m (5600 kA/m)"},
      {"[Mode]\r\nMODE=99999999999\r\n", 0, 0, 0, "4500 mT (10 T)"},
  };
  for (const Row& row : rows) {
    EinheitenModel loaded;
    loaded.Bereich.SetIndex(3);
    loaded.LoadFromIni(IniDocument::Parse(row.bytes));
    EXPECT_EQ(loaded.Mess_Modus.Index(), row.mode) << row.bytes;
    EXPECT_EQ(loaded.Einheit.Index(), row.unit) << row.bytes;
    EXPECT_EQ(loaded.Bereich.Index(), row.range) << row.bytes;
    EXPECT_EQ(loaded.RangeItems()[3], row.range3) << row.bytes;
  }
}

}  // namespace
}  // namespace qel
