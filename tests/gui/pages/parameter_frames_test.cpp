// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter page frames one at a time: what they show for replies, the lines they
// send from what they show, and the change handlers that run on a user's change only.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include "gui/pages/EIA232_Frame_Unit.h"
#include "gui/pages/Einheiten_Frame_Unit.h"
#include "gui/pages/InLineFunktion_Frame_Unit.h"
#include "gui/pages/OutLineFunktion_Frame_Unit.h"
#include "gui/pages/TastenFunktion_Frame_Unit.h"
#include "page_test_support.h"
#include "ui_EIA232_Frame_Unit.h"
#include "ui_Einheiten_Frame_Unit.h"
#include "ui_InLineFunktion_Frame_Unit.h"
#include "ui_OutLineFunktion_Frame_Unit.h"
#include "ui_TastenFunktion_Frame_Unit.h"

namespace qel::testing {
namespace {

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

// ---- measurement page

struct EinheitenPage {
  explicit EinheitenPage(std::map<std::string, std::string> replies = {}) : table(replies) {
    frame.Bind(model, table.session);
  }
  Ui::TEinheitenFrame& F() { return frame.Form(); }
  TableContext table;
  EinheitenModel model;
  gui::TEinheitenFrame frame;
};

TEST(EinheitenFrame, ShowsItsOwnItemsUntilModeAndUnitAreKnown) {
  EinheitenPage page;
  EXPECT_EQ(page.F().GroupBox1->title(), " Messung ");
  EXPECT_EQ(Items(*page.F().Mess_Modus_ComboBox),
            QStringList({"DC Gleichfeld", "AC Wechselfeld", "PEAK Spitzenwert"}));
  EXPECT_EQ(Items(*page.F().Einheit_ComboBox), QStringList({"Tesla", "Gauss", "Oersted", "kA/m"}));
  EXPECT_EQ(Items(*page.F().Bereich_ComboBox),
            QStringList({"10 mT", "100 mT", "1000 mT", "4500 mT / 10T"}));
  EXPECT_EQ(page.F().Bereich_ComboBox->currentIndex(), 0);
  EXPECT_FALSE(page.F().Auto->isChecked());
  EXPECT_FALSE(page.F().Auto->isHidden());
}

TEST(EinheitenFrame, ReadSelectsFromRepliesAndFollowsWithTheRangeTexts) {
  struct Row {
    std::string mode, range, unit;
    QString modeText, unitText, rangeText;
  };
  const std::vector<Row> rows = {
      {"AC", "3", "GAUS", "AC Wechselfeld", "Gauss", "30 kG (70 kG)"},
      {"dc", "0", "tesl", "DC Gleichfeld", "Tesla", "10 mT"},
      {"PEAK", "3", "APM", "PEAK Spitzenwert", "kA/m", "3500 kA/m (8000 kA/m)"},
  };
  for (const Row& row : rows) {
    EinheitenPage page({{"MODE?", row.mode}, {"RANG?", row.range}, {"UNIT?", row.unit}});
    page.F().Button1->click();
    EXPECT_EQ(page.table.ReceivedLines(), (Lines{"MODE?", "RANG?", "UNIT?"}));
    EXPECT_EQ(page.F().Mess_Modus_ComboBox->currentText(), row.modeText);
    EXPECT_EQ(page.F().Einheit_ComboBox->currentText(), row.unitText);
    EXPECT_EQ(page.F().Bereich_ComboBox->currentText(), row.rangeText);
  }
}

TEST(EinheitenFrame, UnknownRepliesShowEmptyBoxesAndWriteEmptyArguments) {
  // A trailing blank, an unknown token, no reply at all.
  EinheitenPage page({{"MODE?", "DC "}, {"RANG?", "7"}});
  page.frame.ReadFromDevice();
  for (QComboBox* box :
       {page.F().Mess_Modus_ComboBox, page.F().Einheit_ComboBox, page.F().Bereich_ComboBox}) {
    EXPECT_EQ(box->currentIndex(), -1) << box->objectName().toStdString();
    EXPECT_EQ(box->currentText(), "");
  }
  // Without mode and unit there are no range texts to take: the box keeps its own.
  EXPECT_EQ(page.F().Bereich_ComboBox->itemText(3), "4500 mT / 10T");
  page.table.meter.ClearLines();
  page.F().Button2->click();
  EXPECT_EQ(page.table.ReceivedLines(), (Lines{"MODE ", "UNIT ", "RANG:SET "}));
}

TEST(EinheitenFrame, UserChangeOfUnitKeepsTheRangePosition) {
  EinheitenPage page;
  UserChooses(*page.F().Bereich_ComboBox, 3);
  UserChooses(*page.F().Einheit_ComboBox, 3);
  EXPECT_EQ(page.F().Bereich_ComboBox->currentIndex(), 3);
  EXPECT_EQ(page.F().Bereich_ComboBox->currentText(), "3500 kA/m (8000 kA/m)");
  // From DC to PEAK the texts stay; to AC only position 3 changes.
  UserChooses(*page.F().Einheit_ComboBox, 0);
  const QStringList dc = Items(*page.F().Bereich_ComboBox);
  UserChooses(*page.F().Mess_Modus_ComboBox, 2);
  EXPECT_EQ(Items(*page.F().Bereich_ComboBox), dc);
  UserChooses(*page.F().Mess_Modus_ComboBox, 1);
  EXPECT_EQ(Items(*page.F().Bereich_ComboBox),
            QStringList({"10 mT", "100 mT", "1000 mT", "3000 mT (7000 mT)"}));
  // "Auto" unchecked: the user's changes send nothing.
  EXPECT_TRUE(page.table.ReceivedLines().empty());
}

TEST(EinheitenFrame, AutoWritesAfterEachUserChangeButNotAfterARead) {
  EinheitenPage page({{"MODE?", "AC"}, {"RANG?", "2"}, {"UNIT?", "OE"}});
  page.F().Auto->click();
  UserChooses(*page.F().Bereich_ComboBox, 2);
  EXPECT_EQ(page.table.ReceivedLines(), (Lines{"MODE DC", "UNIT TESL", "RANG:SET 2"}));
  page.table.meter.ClearLines();
  UserChooses(*page.F().Mess_Modus_ComboBox, 2);
  EXPECT_EQ(page.table.ReceivedLines(), (Lines{"MODE PEAK", "UNIT TESL", "RANG:SET 2"}));
  page.table.meter.ClearLines();
  page.frame.ReadFromDevice();
  EXPECT_EQ(page.table.ReceivedLines(), (Lines{"MODE?", "RANG?", "UNIT?"}));
  EXPECT_EQ(page.F().Bereich_ComboBox->currentText(), "10 kOe");
}

TEST(EinheitenFrame, TypingIntoAChoiceBoxChangesNothingButCursorKeysChoose) {
  EinheitenPage page;
  QComboBox& box = *page.F().Einheit_ComboBox;
  QTest::keyClicks(&box, "kGo 3");
  QTest::keyClick(&box, Qt::Key_Backspace);
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_EQ(box.currentIndex(), 0);
  EXPECT_EQ(box.currentText(), "Tesla");
  // A cursor key is no character: it chooses, and the range texts follow.
  UserChooses(*page.F().Bereich_ComboBox, 3);
  QTest::keyClick(&box, Qt::Key_Down);
  EXPECT_EQ(box.currentText(), "Gauss");
  EXPECT_EQ(page.F().Bereich_ComboBox->currentText(), "45 kG (100 kG)");
}

// ---- output and input pages

struct OutLinePage {
  explicit OutLinePage(int tag, std::map<std::string, std::string> replies = {})
      : table(replies), model(tag) {
    frame.Bind(model, table.session);
  }
  Ui::TOutLineFrame& F() { return frame.Form(); }
  TableContext table;
  OutLineModel model;
  gui::TOutLineFrame frame;
};

TEST(OutLineFrame, StartsWithItsDefaultsAndButtonsHidden) {
  OutLinePage page(1);
  EXPECT_EQ(page.F().Funk_ComboBox->currentText(), "Keine");
  EXPECT_EQ(page.F().Logic_ComboBox->currentText(), "Positiv : Einschalten bei Bedingung");
  EXPECT_EQ(Utf8("Wenn Größer"), page.F().Funk_ComboBox->itemText(2));
  EXPECT_EQ(Utf8("Wenn Überlauf"), page.F().Funk_ComboBox->itemText(6));
  EXPECT_EQ(page.F().OG_Edit->text(), "0.0000");
  EXPECT_EQ(page.F().UG_Edit->text(), "0.0000");
  EXPECT_TRUE(page.F().Funk_ComboBox->isEnabled());
  EXPECT_FALSE(page.F().Logic_ComboBox->isEnabled());
  EXPECT_FALSE(page.F().OG_Edit->isEnabled());
  EXPECT_FALSE(page.F().UG_Edit->isEnabled());
  EXPECT_TRUE(page.F().Button1->isHidden());
  EXPECT_TRUE(page.F().Button2->isHidden());
  const QFontMetrics metrics(page.F().OG_Edit->font());
  EXPECT_EQ(metrics.horizontalAdvance('.'), metrics.horizontalAdvance('8'));
}

TEST(OutLineFrame, FunctionChosenByTheUserEnablesLogicAndLimits) {
  OutLinePage page(1);
  // position: logic, upper limit, lower limit
  const bool rows[8][3] = {{false, false, false}, {false, false, false}, {true, true, false},
                           {true, false, true},   {true, true, true},    {true, true, true},
                           {true, false, false},  {true, false, false}};
  for (int p : {4, 0, 2, 3, 5, 1, 6, 7}) {
    UserChooses(*page.F().Funk_ComboBox, p);
    EXPECT_EQ(page.F().Logic_ComboBox->isEnabled(), rows[p][0]) << p;
    EXPECT_EQ(page.F().OG_Edit->isEnabled(), rows[p][1]) << p;
    EXPECT_EQ(page.F().UG_Edit->isEnabled(), rows[p][2]) << p;
  }
  EXPECT_TRUE(page.table.ReceivedLines().empty());
}

TEST(OutLineFrame, ReadSetsTheBoxesButNotTheEnabledStates) {
  OutLinePage page(2, {{"DGIO:SET:OUT2:FUNC?", "IFLO"},
                       {"DGIO:SET:OUT2:LOG?", "0"},
                       {"DGIO:SET:OUT2:LIMI:HIGH?", "2.5E-3"},
                       {"DGIO:SET:OUT2:LIMI:LOW?", "1E-3"}});
  page.frame.ReadFromDevice();
  EXPECT_EQ(page.table.ReceivedLines(),
            (Lines{"DGIO:SET:OUT2:FUNC?", "DGIO:SET:OUT2:LOG?", "DGIO:SET:OUT2:LIMI:HIGH?",
                   "DGIO:SET:OUT2:LIMI:LOW?"}));
  EXPECT_EQ(page.F().Funk_ComboBox->currentText(), "Wenn Kleiner");
  EXPECT_EQ(page.F().Logic_ComboBox->currentText(), "Positiv : Einschalten bei Bedingung");
  EXPECT_EQ(page.F().OG_Edit->text(), "0.0025");
  EXPECT_EQ(page.F().UG_Edit->text(), "0.0010");
  EXPECT_FALSE(page.F().Logic_ComboBox->isEnabled());
  EXPECT_FALSE(page.F().UG_Edit->isEnabled());
}

TEST(OutLineFrame, TrickyLimitRepliesAndAnUnknownFunction) {
  OutLinePage page(3, {{"DGIO:SET:OUT3:FUNC?", "ifou "},
                       {"DGIO:SET:OUT3:LOG?", "1"},
                       {"DGIO:SET:OUT3:LIMI:HIGH?", "abc"},
                       {"DGIO:SET:OUT3:LIMI:LOW?", "123456.789"}});
  page.frame.ReadFromDevice();
  EXPECT_EQ(page.F().Funk_ComboBox->currentIndex(), -1);
  EXPECT_EQ(page.F().Funk_ComboBox->currentText(), "");
  EXPECT_EQ(page.F().Logic_ComboBox->currentText(), "Negativ : Abschalten bei Bedingung");
  EXPECT_EQ(page.F().OG_Edit->text(), "0.0000");
  // Longer than the 10 characters a user may type: shown whole all the same.
  EXPECT_EQ(page.F().UG_Edit->text(), "123456.7890");
  page.table.meter.ClearLines();
  page.frame.WriteToDevice();
  EXPECT_EQ(page.table.ReceivedLines(),
            (Lines{"DGIO:SET:OUT3:FUNC ", "DGIO:SET:OUT3:LOG 1", "DGIO:SET:OUT3:LIMI:HIGH 0.0000",
                   "DGIO:SET:OUT3:LIMI:LOW 123456.7890"}));
}

TEST(OutLineFrame, WritesTheFieldTextsAsTheyStandAndNoLineForAnEmptyLimit) {
  OutLinePage page(4);
  UserChooses(*page.F().Funk_ComboBox, 5);
  UserChooses(*page.F().Logic_ComboBox, 1);
  page.F().OG_Edit->setText("1.5");
  page.F().UG_Edit->setText("-1.5");
  page.frame.WriteToDevice();
  EXPECT_EQ(page.table.ReceivedLines(),
            (Lines{"DGIO:SET:OUT4:FUNC IFOU", "DGIO:SET:OUT4:LOG 1", "DGIO:SET:OUT4:LIMI:HIGH 1.5",
                   "DGIO:SET:OUT4:LIMI:LOW -1.5"}));
  page.table.meter.ClearLines();
  page.F().OG_Edit->clear();
  page.frame.WriteToDevice();
  EXPECT_EQ(page.table.ReceivedLines(), (Lines{"DGIO:SET:OUT4:FUNC IFOU", "DGIO:SET:OUT4:LOG 1",
                                               "DGIO:SET:OUT4:LIMI:LOW -1.5"}));
}

TEST(OutLineFrame, NumericKeyFilterOfTheLimitFields) {
  struct Row {
    QString text;
    int caret;
    QString typed;
    QString after;
    int caretAfter;
  };
  const std::vector<Row> rows = {
      {"12", 2, ".", "12.", 3},
      {"1.5", 3, ".", "1.5", 3},
      {"-5", 0, "3", "-5", 0},
      {"2.5", 1, "-", "-2.5", 2},
      {"-2.5", 2, "+", "+2.5", 2},
      {"12", 2, ",", "12.", 3},
      {"", 0, ".", ".", 1},
      {"+", 1, ".", "+.", 2},
      {"", 0, "-", "-", 1},
      {"1", 1, "a e%", "1", 1},
      {"1", 1, "e5", "15", 2},
      {"1.5", 3, ",", "1.5", 3},
      {"0.0000", 0, "9", "90.0000", 1},
  };
  OutLinePage page(1);
  QLineEdit& edit = *page.F().OG_Edit;
  edit.setEnabled(true);
  for (const Row& row : rows) {
    edit.setText(row.text);
    edit.setCursorPosition(row.caret);
    QTest::keyClicks(&edit, row.typed);
    EXPECT_EQ(edit.text(), row.after) << row.text.toStdString() << " + " << row.typed.toStdString();
    EXPECT_EQ(edit.cursorPosition(), row.caretAfter) << row.text.toStdString();
  }
  // Cursor keys and Backspace are no characters: the field handles them.
  edit.setText("12.5");
  edit.setCursorPosition(4);
  QTest::keyClick(&edit, Qt::Key_Left);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "125");
}

TEST(OutLineFrame, LimitFieldsTakeAtMostTenTypedCharacters) {
  OutLinePage page(1);
  QLineEdit& edit = *page.F().UG_Edit;
  edit.setEnabled(true);
  edit.clear();
  QTest::keyClicks(&edit, "123456789012");
  EXPECT_EQ(edit.text(), "1234567890");
  // A sign goes in front all the same: the filter sets the text itself.
  QTest::keyClick(&edit, '-');
  EXPECT_EQ(edit.text(), "-1234567890");
}

TEST(InLineFrame, ReadAndWriteItsTwoSettings) {
  TableContext table({{"DGIO:SET:IN2:FUNC?", "nlpk"}, {"DGIO:SET:IN2:LOG?", "1"}});
  InLineModel model(2);
  gui::TInLineFrame frame;
  frame.Bind(model, table.session);
  EXPECT_EQ(frame.Form().GroupBox1->title(), " Eingang x  ");
  EXPECT_EQ(frame.Form().Logic_ComboBox->currentText(), "Positiv (Normal)");
  EXPECT_TRUE(frame.Form().Logic_ComboBox->isEnabled());
  EXPECT_TRUE(frame.Form().Button1->isHidden());
  frame.ReadFromDevice();
  EXPECT_EQ(frame.Form().Funk_ComboBox->currentText(), "Null Peak");
  EXPECT_EQ(frame.Form().Logic_ComboBox->currentText(), "Negativ (Invertiert)");
  frame.WriteToDevice();
  EXPECT_EQ(table.ReceivedLines(), (Lines{"DGIO:SET:IN2:FUNC?", "DGIO:SET:IN2:LOG?",
                                          "DGIO:SET:IN2:FUNC NLPK", "DGIO:SET:IN2:LOG 1"}));
}

// ---- key and serial pages

TEST(TastenFrame, UpperAndLowerKeyLines) {
  TableContext table({{"KEYS:TOP:FUNC?", "no"}, {"KEYS:BOT:FUNC?", "RANG"}});
  TastenModel top(0), bottom(1);
  gui::TTastenFrame upper, lower;
  upper.Bind(top, table.session);
  lower.Bind(bottom, table.session);
  EXPECT_FALSE(upper.Form().Button1->isHidden());
  EXPECT_EQ(upper.Form().GroupBox1->title(), " Tastenfunktion x  ");
  UserChooses(*upper.Form().Funk_ComboBox, 3);
  upper.Form().Button1->click();
  lower.Form().Button1->click();
  EXPECT_EQ(upper.Form().Funk_ComboBox->currentText(), "Keine");
  EXPECT_EQ(lower.Form().Funk_ComboBox->currentText(), "Bereichswahl");
  UserChooses(*lower.Form().Funk_ComboBox, 2);
  upper.Form().Button2->click();
  lower.Form().Button2->click();
  EXPECT_EQ(table.ReceivedLines(),
            (Lines{"KEYS:TOP:FUNC?", "KEYS:BOT:FUNC?", "KEYS:TOP:FUNC No", "KEYS:BOT:FUNC PKNL"}));
}

TEST(EIA232Frame, ReadsAndWritesTheFourSettings) {
  TableContext table({{"SERI:COMA:BAUD?", "9600"},
                      {"SERI:COMA:STOP?", "2"},
                      {"SERI:COMA:PARY?", "even"},
                      {"SERI:COMA:MODE?", "FLOW"}});
  EIA232Model model;
  gui::TEIA232Frame frame;
  frame.Bind(model, table.session);
  EXPECT_EQ(frame.Form().GroupBox1->title(), " EIA 232 Schnittstelle");
  EXPECT_TRUE(frame.Form().Button1->isHidden());
  EXPECT_EQ(frame.Form().Baud_ComboBox->count(), 7);
  frame.ReadFromDevice();
  EXPECT_EQ(frame.Form().Baud_ComboBox->currentText(), "9600 bps");
  EXPECT_EQ(frame.Form().StopBit_ComboBox->currentText(), "2 Stop Bits");
  EXPECT_EQ(frame.Form().Parity_ComboBox->currentText(), Utf8("Gerade Parität (EVEN)"));
  EXPECT_EQ(frame.Form().Mode_ComboBox->currentText(), "FLOW Dauerausgabe");
  table.meter.ClearLines();
  frame.WriteToDevice();
  EXPECT_EQ(table.ReceivedLines(), (Lines{"SERI:COMA:BAUD 9600", "SERI:COMA:STOP 2",
                                          "SERI:COMA:PARY EVEN", "SERI:COMA:MODE FLOW"}));
}

TEST(ParameterFrames, UnboundFrameWorksOnItsOwnModelAndSendsNothing) {
  gui::TOutLineFrame frame;
  UserChooses(*frame.Form().Funk_ComboBox, 2);
  frame.ReadFromDevice();  // no session: nothing to ask, nothing changes
  EXPECT_EQ(frame.Form().Funk_ComboBox->currentIndex(), 2);
  EXPECT_EQ(frame.Model().Funk.Index(), 2);
}

}  // namespace
}  // namespace qel::testing
