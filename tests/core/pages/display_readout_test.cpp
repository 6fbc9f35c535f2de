// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/display_readout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "../diag/scripted_instrument.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using Lines = std::vector<std::string>;
using Replies = std::map<std::string, std::string>;

TEST(FormatReading, BothSeparators) {
  struct Row {
    double value;
    int unit, range;
    std::string point;  // with "."
    std::string comma;  // with ","
  };
  const std::vector<Row> rows = {
      {0.0125, 0, 0, "+12.500 mT ", "+12,500 mT "},
      {0.0055, 0, 2, "+005.5 mT ", "+005,5 mT "},
      {0.0031, 0, 3, "+0003 mT ", "+0003 mT "},
      {10.0, 0, 3, "+01E4 mT ", "+01E4 mT "},
      {0, 0, 1, "+00.00 mT ", "+00,00 mT "},
      {1234, 1, 1, "+1234.0 G ", "+1234,0 G "},
      {456.7, 1, 3, "+00.46 kG ", "+00,46 kG "},
      {-3500, 3, 1, "-03.50 kA/m ", "-03,50 kA/m "},
      {9.9E37, 2, 0, " OVLD ", " OVLD "},
      {1E20, 0, 0, "+1E023 mT ", "+1E023 mT "},
      // large negative values are not caught as overload
      {-9.9E37, 0, 3, "-9.9E40 mT ", "-9,9E40 mT "},
      // a negative value that rounds to zero keeps its "-"
      {-0.001, 1, 1, "-000.0 G ", "-000,0 G "},
      {0.5, 2, 0, "+00.50 Oe ", "+00,50 Oe "},
      {7, 2, 2, "+0.007 kOe ", "+0,007 kOe "},
      // scientific with more places: the exponent has at least as many digits
      {12345.6, 1, 0, "+1.235E04 G ", "+1,235E04 G "},
      {99999, 1, 1, "+01E5 G ", "+01E5 G "},
      {9999.96, 1, 1, "+01E4 G ", "+01E4 G "},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FormatReading(row.value, row.range, row.unit, '.'), row.point) << row.value;
    EXPECT_EQ(FormatReading(row.value, row.range, row.unit, ','), row.comma) << row.value;
  }
  EXPECT_EQ(FormatReading(1, 4, 0, '.'), "-- ");
  EXPECT_EQ(FormatReading(1, 0, -1, '.'), "-- ");
}

TEST(NextReplyField, TakesFieldsAndRepeatsTheLast) {
  std::string buffer = "0.5;-0.2;x";
  EXPECT_EQ(NextReplyField(buffer), "0.5");
  EXPECT_EQ(ReadNumberField(buffer), -0.2);
  EXPECT_EQ(ReadNumberField(buffer), 0.0);
  EXPECT_EQ(NextReplyField(buffer), "x");
  EXPECT_EQ(buffer, "x");
  buffer = ";";
  EXPECT_EQ(NextReplyField(buffer), "");
  EXPECT_EQ(NextReplyField(buffer), "");
}

std::vector<std::string> Visible(const DisplayReadout& readout) {
  std::vector<std::string> out;
  for (const auto& label : readout.VisibleLabels()) {
    out.push_back(std::string(label.name) + "\t" + label.text);
  }
  return out;
}

TEST(DisplayReadout, PeakModeRead) {
  ScriptedInstrument meter(Replies{{"mode?", "PEAK"},
                                   {":read:dc?", "1.0"},
                                   {":rang?;unit?", "1;GAUS"},
                                   {":peak:fast:read?;read:min?;max?", "0.5;-0.2;0.7"},
                                   {":peak:slow:read?;read:min?;max?", "0.4;-0.1;0.3"}});
  DisplayReadout readout;
  readout.ReadDisplay(meter.Session(), '.');
  EXPECT_EQ(meter.Lines(),
            (Lines{"mode?", ":read:dc?", ":rang?;unit?", ":peak:fast:read?;read:min?;max?",
                   ":peak:slow:read?;read:min?;max?"}));
  EXPECT_FALSE(readout.AcControlsVisible());
  EXPECT_TRUE(readout.PeakControlsVisible());
  EXPECT_EQ(Visible(readout),
            (Lines{"DC_Out\t+001.0 G ", "PFmin_Out\t-000.2 G ", "PFmax_Out\t+000.7 G ",
                   "PFabs_Out\t+000.5 G ", "PSmin_Out\t-000.1 G ", "PSmax_Out\t+000.3 G ",
                   "PSabs_Out\t+000.4 G "}));
  EXPECT_EQ(readout.Mode(), 2);
  EXPECT_EQ(readout.Range(), 1);
  EXPECT_EQ(readout.Unit(), 1);
}

TEST(DisplayReadout, AcThenDcMode) {
  ScriptedInstrument meter(Replies{
      {"mode?", "ac"}, {":read:dc?", "0.0125"}, {":rang?;unit?", "0;tesl"}, {":read:ac?", "abc"}});
  DisplayReadout readout;
  EXPECT_EQ(Visible(readout).size(), 8u);  // everything visible, empty, before a read
  EXPECT_EQ(readout.Text(ReadoutLabel::DC_Out), "");
  readout.ReadDisplay(meter.Session(), ',');
  EXPECT_EQ(meter.Lines(), (Lines{"mode?", ":read:dc?", ":rang?;unit?", ":read:ac?"}));
  // an AC value that does not parse shows as zero
  EXPECT_EQ(Visible(readout), (Lines{"DC_Out\t+12,500 mT ", "AC_Out\t+0,000 mT "}));

  meter.Reply("mode?", "DC");
  meter.ClearLines();
  readout.ReadDisplay(meter.Session(), '.');
  EXPECT_EQ(meter.Lines(), (Lines{"mode?", ":read:dc?", ":rang?;unit?"}));
  EXPECT_EQ(Visible(readout), (Lines{"DC_Out\t+12.500 mT "}));
  // hidden labels keep their last text
  EXPECT_EQ(readout.Text(ReadoutLabel::AC_Out), "+0,000 mT ");
}

TEST(DisplayReadout, UnknownRangeOrUnitShowsDashes) {
  // "2" without ";": both fields read 2, so the unit is unknown
  for (const std::string& rangeUnit :
       {std::string("2"), std::string("5;GAUS"), std::string("1;GAUS "), std::string("")}) {
    ScriptedInstrument meter(Replies{{"mode?", "PEAK"},
                                     {":read:dc?", "1.0"},
                                     {":rang?;unit?", "1;GAUS"},
                                     {":peak:fast:read?;read:min?;max?", "1"},
                                     {":peak:slow:read?;read:min?;max?", "2"}});
    DisplayReadout readout;
    readout.ReadDisplay(meter.Session(), '.');  // peak controls shown, AC hidden
    meter.Reply(":rang?;unit?", rangeUnit);
    meter.ClearLines();
    readout.ReadDisplay(meter.Session(), '.');
    EXPECT_EQ(meter.Lines(), (Lines{"mode?", ":read:dc?", ":rang?;unit?"})) << rangeUnit;
    for (std::size_t i = 0; i < kReadoutLabelCount; ++i) {
      EXPECT_EQ(readout.Text(static_cast<ReadoutLabel>(i)), "-- ") << rangeUnit;
    }
    EXPECT_FALSE(readout.AcControlsVisible());
    EXPECT_TRUE(readout.PeakControlsVisible());
  }
}

TEST(DisplayReadout, FewerPeakFieldsRepeatTheLast) {
  ScriptedInstrument meter(Replies{{"mode?", "PEAK"},
                                   {":read:dc?", "9.9E37"},
                                   {":rang?;unit?", "3;APM"},
                                   {":peak:fast:read?;read:min?;max?", "1000;-2000"},
                                   {":peak:slow:read?;read:min?;max?", ""}});
  DisplayReadout readout;
  readout.ReadDisplay(meter.Session(), '.');
  EXPECT_EQ(readout.Text(ReadoutLabel::DC_Out), " OVLD ");
  EXPECT_EQ(readout.Text(ReadoutLabel::PFabs_Out), "+0001 kA/m ");
  EXPECT_EQ(readout.Text(ReadoutLabel::PFmin_Out), "-0002 kA/m ");
  EXPECT_EQ(readout.Text(ReadoutLabel::PFmax_Out), "-0002 kA/m ");
  EXPECT_EQ(readout.Text(ReadoutLabel::PSmin_Out), "+0000 kA/m ");
}

TEST(DisplayReadout, UnknownModeUpdatesOnlyDc) {
  ScriptedInstrument meter(Replies{
      {"mode?", "AC"}, {":read:dc?", "0.5"}, {":rang?;unit?", "1;GAUS"}, {":read:ac?", "0.25"}});
  DisplayReadout readout;
  readout.ReadDisplay(meter.Session(), '.');
  meter.Reply("mode?", "RMS");
  meter.Reply(":read:dc?", "-0.75");
  meter.ClearLines();
  readout.ReadDisplay(meter.Session(), '.');
  EXPECT_EQ(meter.Lines(), (Lines{"mode?", ":read:dc?", ":rang?;unit?"}));
  EXPECT_EQ(readout.Mode(), -1);
  EXPECT_EQ(Visible(readout), (Lines{"DC_Out\t-000.8 G ", "AC_Out\t+000.3 G "}));
}

TEST(DisplayReadout, NoInstrumentAndPeakReset) {
  ScriptedInstrument none({}, false);
  DisplayReadout readout;
  readout.ReadDisplay(none.Session(), '.');
  EXPECT_EQ(Visible(readout).size(), 8u);
  EXPECT_EQ(readout.Text(ReadoutLabel::PSabs_Out), "-- ");

  ScriptedInstrument meter;
  DisplayReadout::PeakReset(meter.Session());
  EXPECT_EQ(meter.Lines(), (Lines{"peak:null"}));
}

}  // namespace
}  // namespace qel
