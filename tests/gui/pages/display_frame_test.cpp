// SPDX-License-Identifier: GPL-3.0-or-later
// The live readout: texts and visibility for the replies of a read, its look, "Peak
// Reset", and the "Refresh" timer rule.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <tuple>

#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "page_test_support.h"
#include "ui_QEL_Display_Frame_Unit.h"

namespace qel::testing {
namespace {

struct Readout {
  explicit Readout(std::map<std::string, std::string> replies = {}) : table(replies) {
    frame.Bind(table.session);
    frame.SetDecimalSeparator('.');
  }
  Ui::TQEL_Display_Frame& F() { return frame.Form(); }
  std::vector<QLabel*> Values() {
    return {F().DC_Out,    F().AC_Out,    F().PFmin_Out, F().PFmax_Out,
            F().PFabs_Out, F().PSmin_Out, F().PSmax_Out, F().PSabs_Out};
  }
  std::vector<QWidget*> PeakControls() {
    return {F().Label16,   F().Label15,   F().Label1,    F().Label5,    F().Label7,
            F().Label9,    F().Label11,   F().Label13,   F().PFmin_Out, F().PFmax_Out,
            F().PFabs_Out, F().PSmin_Out, F().PSmax_Out, F().PSabs_Out, F().Reset};
  }
  TableContext table;
  gui::TQEL_Display_Frame frame;
};

const std::map<std::string, std::string> kPeakReplies = {
    {"mode?", "PEAK"},
    {":read:dc?", "1.0"},
    {":rang?;unit?", "1;GAUS"},
    {":peak:fast:read?;read:min?;max?", "0.5;-0.2;0.7"},
    {":peak:slow:read?;read:min?;max?", "0.4;-0.1;0.3"}};

TEST(DisplayFrame, BeforeTheFirstReadEverythingIsShownAndEmpty) {
  Readout r;
  EXPECT_EQ(r.F().GroupBox1->title(), " Display ");
  for (QLabel* value : r.Values()) {
    EXPECT_FALSE(value->isHidden());
    EXPECT_EQ(value->text(), "");
  }
  EXPECT_FALSE(r.F().Reset->isHidden());
  EXPECT_EQ(r.F().Label2->text(), "DC");
  EXPECT_EQ(r.F().Label13->text(), "Peak abs");
  EXPECT_FALSE(r.F().Refresh->isChecked());
  EXPECT_FALSE(r.frame.RefreshTimer().isActive());
}

TEST(DisplayFrame, PeakModeShowsTheSixPeakValues) {
  Readout r(kPeakReplies);
  r.F().ReadButton->click();
  EXPECT_EQ(r.table.ReceivedLines(),
            (Lines{"mode?", ":read:dc?", ":rang?;unit?", ":peak:fast:read?;read:min?;max?",
                   ":peak:slow:read?;read:min?;max?"}));
  EXPECT_EQ(r.F().DC_Out->text(), "+001.0 G ");
  EXPECT_EQ(r.F().PFmin_Out->text(), "-000.2 G ");
  EXPECT_EQ(r.F().PFmax_Out->text(), "+000.7 G ");
  EXPECT_EQ(r.F().PFabs_Out->text(), "+000.5 G ");
  EXPECT_EQ(r.F().PSmin_Out->text(), "-000.1 G ");
  EXPECT_EQ(r.F().PSmax_Out->text(), "+000.3 G ");
  EXPECT_EQ(r.F().PSabs_Out->text(), "+000.4 G ");
  EXPECT_TRUE(r.F().Label3->isHidden());
  EXPECT_TRUE(r.F().AC_Out->isHidden());
  for (QWidget* w : r.PeakControls()) EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
}

// A screen reader reads each value by its captions and its reading, with the locale's
// separator; the reading follows every read.
TEST(DisplayFrame, ValuesSpeakTheirCaptionsAndReadings) {
  Readout r(kPeakReplies);
  r.frame.SetDecimalSeparator(',');
  Click(*r.F().ReadButton);
  const std::vector<std::tuple<QLabel*, QString, QString>> rows = {
      {r.F().DC_Out, "DC", "+001,0 G"},
      {r.F().PFmin_Out, "Fast Peak min", "-000,2 G"},
      {r.F().PSabs_Out, "Slow Peak abs", "+000,4 G"}};
  for (const auto& [value, name, reading] : rows) {
    EXPECT_EQ(value->accessibleName(), name);
    EXPECT_EQ(value->accessibleDescription(), reading);
  }
  r.table.meter.Reply(":read:dc?", "");
  Click(*r.F().ReadButton);
  EXPECT_EQ(r.F().DC_Out->accessibleDescription(), "+000,0 G");
}

TEST(DisplayFrame, AcAndDcModeVisibility) {
  Readout r({{"mode?", "ac"},
             {":read:dc?", "0.0125"},
             {":rang?;unit?", "0;TESL"},
             {":read:ac?", "0.0055"}});
  r.frame.ReadDisplay();
  EXPECT_EQ(r.F().DC_Out->text(), "+12.500 mT ");
  EXPECT_EQ(r.F().AC_Out->text(), "+5.500 mT ");
  EXPECT_FALSE(r.F().AC_Out->isHidden());
  for (QWidget* w : r.PeakControls()) EXPECT_TRUE(w->isHidden());
  r.table.meter.Reply("mode?", "DC");
  r.table.meter.ClearLines();
  r.frame.ReadDisplay();
  EXPECT_EQ(r.table.ReceivedLines(), (Lines{"mode?", ":read:dc?", ":rang?;unit?"}));
  EXPECT_TRUE(r.F().AC_Out->isHidden());
  EXPECT_TRUE(r.F().Label3->isHidden());
  EXPECT_FALSE(r.F().DC_Out->isHidden());
}

TEST(DisplayFrame, TrickyReadings) {
  struct Row {
    std::string mode, dc, rangeUnit;
    QString shown;
  };
  const std::vector<Row> rows = {
      {"DC", "1", "2", "-- "},                   // one field: the unit reads "2" as well
      {"DC", "9.9E37", "1;TESL", " OVLD "},      // overload
      {"DC", "-0.001", "1;GAUS", "-000.0 G "},   // rounds to zero, keeps its sign
      {"DC", "abc", "0;TESL", "+0.000 mT "},     // no number: zero
      {"XX", "0.0031", "3;TESL", "+0003 mT "},   // unknown mode: DC only
      {"DC", "-3500", "1;apm", "-03.50 kA/m "},  // lower-case unit token
      {"DC", "1", "1;TESL ", "-- "},             // trailing blank
  };
  for (const Row& row : rows) {
    Readout r({{"mode?", row.mode}, {":read:dc?", row.dc}, {":rang?;unit?", row.rangeUnit}});
    r.frame.ReadDisplay();
    EXPECT_EQ(r.F().DC_Out->text(), row.shown) << row.dc;
    EXPECT_EQ(r.table.ReceivedLines().size(), 3u) << row.dc;
  }
  // "-- " goes to all eight labels.
  Readout r({{"mode?", "PEAK"}, {":rang?;unit?", "2"}});
  r.frame.ReadDisplay();
  for (QLabel* value : r.Values()) EXPECT_EQ(value->text(), "-- ");
}

TEST(DisplayFrame, ShowsTheUsersDecimalSeparator) {
  Readout r({{"mode?", "DC"}, {":read:dc?", "0.0125"}, {":rang?;unit?", "0;TESL"}});
  r.frame.SetDecimalSeparator(',');
  r.frame.ReadDisplay();
  EXPECT_EQ(r.F().DC_Out->text(), "+12,500 mT ");
}

TEST(DisplayFrame, PeakResetSendsOneLineAndLeavesTheLabels) {
  Readout r(kPeakReplies);
  r.frame.ReadDisplay();
  r.table.meter.ClearLines();
  r.F().Reset->click();
  EXPECT_EQ(r.table.ReceivedLines(), (Lines{"peak:null"}));
  EXPECT_EQ(r.F().PFmax_Out->text(), "+000.7 G ");
}

TEST(DisplayFrame, ValueLabelsLook) {
  Readout r;
  const int width = r.F().PFmin_Out->width();
  for (QLabel* value : r.Values()) {
    EXPECT_TRUE(value->font().bold());
    // Monospaced: every character of a reading is as wide as a digit.
    const QFontMetrics metrics(value->font());
    for (QChar c : QString("+-.,1 kmAT/"))
      EXPECT_EQ(metrics.horizontalAdvance(c), metrics.horizontalAdvance('0')) << c.toLatin1();
    EXPECT_TRUE(value->alignment() & Qt::AlignRight);
    // A fixed width: changing numbers do not move the readout.
    EXPECT_EQ(value->minimumWidth(), value->maximumWidth());
    EXPECT_EQ(value->palette().color(value->backgroundRole()), QColor(Qt::black));
    EXPECT_EQ(value->palette().color(value->foregroundRole()), QColor(0x90, 0xee, 0x90));
  }
  EXPECT_GT(r.F().DC_Out->font().pointSize(), r.F().PFmin_Out->font().pointSize());
  EXPECT_EQ(r.F().AC_Out->font().pointSize(), r.F().DC_Out->font().pointSize());
  EXPECT_GE(r.F().PSabs_Out->minimumWidth(), width);
}

TEST(DisplayFrame, RefreshTimerRule) {
  Readout r(kPeakReplies);
  gui::TQEL_Display_Frame& frame = r.frame;
  r.F().Refresh->click();
  EXPECT_TRUE(frame.RefreshTimer().isActive());
  EXPECT_EQ(frame.RefreshTimer().interval(), 500);
  EXPECT_TRUE(r.table.ReceivedLines().empty());  // no read at once

  frame.RefreshTimerTimer();
  EXPECT_EQ(r.table.ReceivedLines().size(), 5u);
  EXPECT_TRUE(frame.RefreshTimer().isActive());

  // A program change of the check mark acts like a click.
  frame.SetRefreshChecked(false);
  EXPECT_FALSE(frame.RefreshTimer().isActive());
  frame.SetRefreshChecked(true);
  EXPECT_TRUE(frame.RefreshTimer().isActive());
  // A tick that finds "Refresh" unchecked reads nothing and stays off.
  r.table.meter.ClearLines();
  const QSignalBlocker quiet(r.F().Refresh);
  r.F().Refresh->setChecked(false);
  frame.RefreshTimerTimer();
  EXPECT_TRUE(r.table.ReceivedLines().empty());
  EXPECT_FALSE(frame.RefreshTimer().isActive());
}

}  // namespace
}  // namespace qel::testing
