// SPDX-License-Identifier: GPL-3.0-or-later
// The device information page: the nine queries, the twelve rows it shows, the column
// widths, and the captions in both languages.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPushButton>
#include <QTableWidget>

#include "core/lang/translate_text.h"
#include "gui/diag/QEL_Info_Frame_Unit.h"
#include "ui_QEL_Info_Frame_Unit.h"
#include "window_context.h"

namespace qel::testing {
namespace {

const std::vector<std::string> kQueries = {"*idnt?",      "SN:UNIT?",  "SN:HW?",
                                           "SN:SW?",      "SN:CALI?",  "Probe:NAME?",
                                           "Probe:TYPE?", "Probe:SN?", "Probe:SNEP?"};

void AnswerIdentity(ScriptedInstrument& qel) {
  qel.Reply("*idnt?", "KORVAL QEL11 Teslameter");
  qel.Reply("SN:UNIT?", "11230042");
  qel.Reply("SN:HW?", "HW 2.1");
  qel.Reply("SN:SW?", "SW 1.07");
  qel.Reply("SN:CALI?", "15.03.2024 KORVAL");
  qel.Reply("Probe:NAME?", "\"HS-TR 10T       KAL 03.2024     \"");
  qel.Reply("Probe:TYPE?", "0");
  qel.Reply("Probe:SN?", "\"150324017\"");
  qel.Reply("Probe:SNEP?", "\"2D00000B1C6E4A23\"");
}

using Rows = std::vector<std::pair<QString, QString>>;

Rows Shown(gui::TInfo_Frame& page) {
  const QTableWidget& grid = *page.Form().StringGrid;
  Rows rows;
  for (int r = 0; r < grid.rowCount(); ++r) {
    const QTableWidgetItem* caption = grid.item(r, 0);
    const QTableWidgetItem* value = grid.item(r, 1);
    rows.emplace_back(caption ? caption->text() : QString(), value ? value->text() : QString());
  }
  return rows;
}

struct Page {
  explicit Page(bool attached = true) : run(attached) { page.Bind(run.session, run.Captions()); }
  ScriptedContext run;
  gui::TInfo_Frame page;
};

TEST(InfoFrame, LesenSendsNineQueriesAndShowsTwelveRows) {
  Page p;
  AnswerIdentity(p.run.qel);
  p.page.Form().Read->click();
  EXPECT_EQ(p.run.qel.sent, kQueries);
  const Rows expected = {
      {QString::fromUtf8("Geräte Information"), ""},
      {"SCPI IDNT", "KORVAL QEL11 Teslameter"},
      {"Seriennummer", "11230042"},
      {"Hardware Stand", "HW 2.1"},
      {"Software Stand", "SW 1.07"},
      {"Kalibrier Info", "15.03.2024 KORVAL"},
      {"Sonden Information", ""},
      {"Bezeichnung", "HS-TR 10T       "},
      {"Type", "Transversal Standard"},
      {"Seriennummer 1", "150324017"},
      {"Seriennummer 2", "\"2D00000B1C6E4A23\""},
      {"Kalibrier Info", "KAL 03.2024     "},
  };
  EXPECT_EQ(Shown(p.page), expected);
}

TEST(InfoFrame, ProbeNameAndTypeRows) {
  struct Row {
    std::string name, type;
    QString shownName, shownType, shownCalibration;
  };
  const std::vector<Row> rows = {
      {"\"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345\"", "3", "ABCDEFGHIJKLMNOP", "Transversal Hoch Feld",
       "QRSTUVWXYZ012345"},
      {"\"PROBE 1234\"", "7", "PROBE 1234", "Type Nr 7", ""},
      // quoted, so no exact match: the quotes are shown
      {"\"PROBE 1234\"", "\"3\"", "PROBE 1234", "Type Nr \"3\"", ""},
  };
  for (const Row& row : rows) {
    Page p;
    p.run.qel.Reply("Probe:NAME?", row.name);
    p.run.qel.Reply("Probe:TYPE?", row.type);
    p.page.ReadClick();
    const Rows shown = Shown(p.page);
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_EQ(shown[7].second, row.shownName) << row.name;
    EXPECT_EQ(shown[8].second, row.shownType) << row.type;
    EXPECT_EQ(shown[11].second, row.shownCalibration) << row.name;
  }
}

TEST(InfoFrame, SecondReadGivesTheSameTwelveRows) {
  Page p;
  AnswerIdentity(p.run.qel);
  p.page.Form().Read->click();
  const Rows first = Shown(p.page);
  p.page.Form().Read->click();
  EXPECT_EQ(Shown(p.page), first);
  EXPECT_EQ(p.run.qel.sent.size(), 18u);
}

TEST(InfoFrame, ColumnsAreTheWidestTextPlusTenPixels) {
  Page p;
  AnswerIdentity(p.run.qel);
  p.page.ReadClick();
  const QTableWidget& grid = *p.page.Form().StringGrid;
  const QFontMetrics metrics(grid.font());
  EXPECT_EQ(grid.columnWidth(0), metrics.horizontalAdvance("Sonden Information") + 10);
  EXPECT_EQ(grid.columnWidth(1), metrics.horizontalAdvance("KORVAL QEL11 Teslameter") + 10);
  for (int r = 0; r < grid.rowCount(); ++r) EXPECT_EQ(grid.rowHeight(r), 18) << r;
}

TEST(InfoFrame, WithoutInstrumentCaptionsStayAndValuesAreEmpty) {
  Page p(/*attached=*/false);
  p.page.ReadClick();
  const Rows shown = Shown(p.page);
  ASSERT_EQ(shown.size(), 12u);
  for (int r = 0; r < 12; ++r) {
    EXPECT_FALSE(shown[r].first.isEmpty()) << r;
    EXPECT_EQ(shown[r].second, r == 8 ? QString("Type Nr ") : QString()) << r;
  }
}

TEST(InfoFrame, EnglishCaptionsWhenTranslationIsActive) {
  Page p;
  AnswerIdentity(p.run.qel);
  p.run.qel.Reply("Probe:TYPE?", "3");
  p.run.language.EnglishSelected = true;
  ASSERT_TRUE(ActivateTranslation(p.run.dictionary, p.run.language));
  p.page.ReadClick();
  QStringList captions;
  for (const auto& row : Shown(p.page)) captions << row.first;
  EXPECT_EQ(captions,
            QStringList({"Device information", "SCPI IDNT", "Serial Number", "Hardware version",
                         "Software version", "Calibration info", "Probe information", "Name",
                         "Type", "Serial number 1", "Serial number 2", "Calibration info"}));
  // type names are values: never translated
  EXPECT_EQ(Shown(p.page)[8].second, "Transversal Hoch Feld");
}

TEST(InfoFrame, ReadsTheVirtualInstrument) {
  SimContext run;
  gui::TInfo_Frame page;
  page.Bind(run.session, [](const std::string& caption) { return caption; });
  page.ReadClick();
  EXPECT_EQ(run.sim.ReceivedLines(), kQueries);
  const Rows shown = Shown(page);
  ASSERT_EQ(shown.size(), 12u);
  EXPECT_EQ(shown[2].second, "11230042");
  EXPECT_EQ(shown[7].second, "HS-TR 10T       ");
  EXPECT_EQ(shown[11].second, "KAL 03.2024     ");
}

}  // namespace
}  // namespace qel::testing
