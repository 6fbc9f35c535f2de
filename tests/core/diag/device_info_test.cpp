// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/diag/device_info.h"

#include <gtest/gtest.h>

#include <map>

#include "scripted_instrument.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;

const std::vector<std::string> kQueries = {"*idnt?",      "SN:UNIT?",  "SN:HW?",
                                           "SN:SW?",      "SN:CALI?",  "Probe:NAME?",
                                           "Probe:TYPE?", "Probe:SN?", "Probe:SNEP?"};

void AnswerIdentity(ScriptedInstrument& qel) {
  qel.Reply("*idnt?", "KORVAL,QEL11,0,V2.10");
  qel.Reply("SN:UNIT?", "12345");
  qel.Reply("SN:HW?", "HW 3");
  qel.Reply("SN:SW?", "SW 2.10");
  qel.Reply("SN:CALI?", "KAL 2024-03");
  qel.Reply("Probe:SN?", "\"150324017\"");
  qel.Reply("Probe:SNEP?", "\"2D00000B1C6E4A23\"");
}

std::vector<std::string> Captions(const DeviceInfo& info) {
  std::vector<std::string> captions;
  for (const auto& row : info.Rows()) captions.push_back(row.caption);
  return captions;
}

TEST(DeviceInfo, NineQueriesAndTwelveRows) {
  ScriptedInstrument qel;
  AnswerIdentity(qel);
  qel.Reply("Probe:NAME?", "\"HS-TR 10T       KAL 03.2024     \"");
  qel.Reply("Probe:TYPE?", "0");
  DeviceInfo info;
  info.ReadDeviceInfo(qel.session);
  EXPECT_EQ(qel.sent, kQueries);
  const std::vector<InfoRow> expected = {
      {"Ger\xE4te Information", ""},
      {"SCPI IDNT", "KORVAL,QEL11,0,V2.10"},
      {"Seriennummer", "12345"},
      {"Hardware Stand", "HW 3"},
      {"Software Stand", "SW 2.10"},
      {"Kalibrier Info", "KAL 2024-03"},
      {"Sonden Information", ""},
      {"Bezeichnung", "HS-TR 10T       "},
      {"Type", "Transversal Standard"},
      {"Seriennummer 1", "150324017"},
      {"Seriennummer 2", "\"2D00000B1C6E4A23\""},  // not unquoted
      {"Kalibrier Info", "KAL 03.2024     "},
  };
  EXPECT_EQ(info.Rows(), expected);
}

TEST(DeviceInfo, ProbeNameSplit) {
  struct Row {
    std::string reply, name, calibration;
  };
  const std::vector<Row> rows = {
      // 32 characters in quotes: 16 and 16
      {"\"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345\"", "ABCDEFGHIJKLMNOP", "QRSTUVWXYZ012345"},
      // 10 characters: all in the name, nothing for the calibration text
      {"\"PROBE 1234\"", "PROBE 1234", ""},
      // more than 32: characters past 32 are shown nowhere
      {"\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\"", "ABCDEFGHIJKLMNOP", "QRSTUVWXYZ012345"},
      // without quotes the text is taken as it is
      {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOP", "Q"},
      {"", "", ""},
  };
  for (const Row& row : rows) {
    ScriptedInstrument qel;
    qel.Reply("Probe:NAME?", row.reply);
    DeviceInfo info;
    info.ReadDeviceInfo(qel.session);
    ASSERT_EQ(info.Rows().size(), 12u);
    EXPECT_EQ(info.Rows()[7].value, row.name) << row.reply;
    EXPECT_EQ(info.Rows()[11].value, row.calibration) << row.reply;
  }
}

TEST(DeviceInfo, ProbeTypeRow) {
  const std::map<std::string, std::string> rows = {
      {"0", "Transversal Standard"},  {"1", "Axial Standard"},  {"2", "Kalibrier Probe"},
      {"3", "Transversal Hoch Feld"}, {"4", "Axial Hoch Feld"}, {"7", "Type Nr 7"},
      {"\"3\"", "Type Nr \"3\""},     {"", "Type Nr "},         {" 3", "Type Nr  3"},
      {"03", "Type Nr 03"},
  };
  for (const auto& [reply, shown] : rows) {
    ScriptedInstrument qel;
    qel.Reply("Probe:TYPE?", reply);
    DeviceInfo info;
    info.ReadDeviceInfo(qel.session);
    EXPECT_EQ(info.Rows()[8].value, shown) << reply;
  }
}

TEST(DeviceInfo, CaptionsGoThroughTheTranslatorButTypeNamesDoNot) {
  const std::map<std::string, std::string> english = {
      {"Ger\xE4te Information", "Device information"},
      {"Seriennummer", "Serial Number"},
      {"Hardware Stand", "Hardware version"},
      {"Software Stand", "Software version"},
      {"Kalibrier Info", "Calibration info"},
      {"Sonden Information", "Probe information"},
      {"Bezeichnung", "Name"},
      {"Seriennummer 1", "Serial number 1"},
      {"Seriennummer 2", "Serial number 2"},
      // a type name in the dictionary must still not be translated
      {"Transversal Hoch Feld", "Transversal high field"},
  };
  ScriptedInstrument qel;
  qel.Reply("Probe:TYPE?", "3");
  DeviceInfo info([&english](const std::string& text) {
    auto it = english.find(text);
    return it == english.end() ? text : it->second;
  });
  info.ReadDeviceInfo(qel.session);
  const std::vector<std::string> expected = {"Device information",
                                             "SCPI IDNT",
                                             "Serial Number",
                                             "Hardware version",
                                             "Software version",
                                             "Calibration info",
                                             "Probe information",
                                             "Name",
                                             "Type",
                                             "Serial number 1",
                                             "Serial number 2",
                                             "Calibration info"};
  EXPECT_EQ(Captions(info), expected);
  EXPECT_EQ(info.Rows()[8].value, "Transversal Hoch Feld");
}

TEST(DeviceInfo, NoInstrumentGivesCaptionsAndEmptyValues) {
  ScriptedInstrument qel(/*attached=*/false);
  DeviceInfo info;
  info.ReadDeviceInfo(qel.session);
  ASSERT_EQ(info.Rows().size(), 12u);
  for (std::size_t i = 0; i < info.Rows().size(); ++i) {
    EXPECT_EQ(info.Rows()[i].value, i == 8 ? "Type Nr " : "") << i;
  }
  // every query was still tried; none reached an instrument, so none is logged
  EXPECT_EQ(qel.session.UnansweredLines(), 9u);
  EXPECT_EQ(qel.protocol.LineCount(), 0u);
}

TEST(DeviceInfo, SecondReadReplacesTheRows) {
  ScriptedInstrument qel;
  AnswerIdentity(qel);
  DeviceInfo info;
  info.ReadDeviceInfo(qel.session);
  const auto first = info.Rows();
  qel.Reply("SN:UNIT?", "54321");
  info.ReadDeviceInfo(qel.session);
  ASSERT_EQ(info.Rows().size(), 12u);
  EXPECT_EQ(info.Rows()[2].value, "54321");
  EXPECT_EQ(info.Rows()[0], first[0]);
  EXPECT_EQ(qel.sent.size(), 18u);
}

TEST(DeviceInfo, UnquoteInfoReply) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"\"abc\"", "abc"}, {"\"abc", "abc"},     {"abc\"", "abc"},       {"\"\"", ""}, {"\"", "\""},
      {"", ""},           {"a\"\"b", "a\"\"b"}, {"\"a\"\"\"", "a\"\""}, {"x", "x"},
  };
  for (const auto& [reply, text] : rows) EXPECT_EQ(UnquoteInfoReply(reply), text) << reply;
}

TEST(DeviceInfo, ColumnWidthsAreWidestTextPlusMargin) {
  ScriptedInstrument qel;
  qel.Reply("*idnt?", std::string(40, 'x'));
  DeviceInfo info;
  info.ReadDeviceInfo(qel.session);
  const auto widths = info.ColumnWidths([](const std::string& t) { return int(t.size()) * 7; });
  EXPECT_EQ(widths[0], 18 * 7 + 10);  // "Sonden Information"
  EXPECT_EQ(widths[1], 40 * 7 + 10);
}

}  // namespace
}  // namespace qel
