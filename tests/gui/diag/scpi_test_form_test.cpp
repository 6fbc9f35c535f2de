// SPDX-License-Identifier: GPL-3.0-or-later
// The SCPI test console: Enter sends the field's text, the log's context menu sends a
// selection, "CLR" empties the display; the display is the protocol log.

#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include "../user_input.h"
#include "gui/diag/SCPI_Test_Unit.h"
#include "ui_SCPI_Test_Unit.h"
#include "window_context.h"

namespace qel::testing {
namespace {

struct Console {
  Console() { run.qel.Reply("*idn?", "KORVAL,QEL11,11230042,1.07"); }
  ScriptedContext run;
  gui::TSCPI_Test_Form form{run.session};
  QLineEdit& SndText() { return *form.Form().SndText; }
  QPlainTextEdit& Memo() { return *form.Form().Memo; }
  QStringList Log() {
    return Memo().toPlainText().isEmpty() ? QStringList() : Memo().toPlainText().split('\n');
  }
};

TEST(ScpiTestForm, EnterSendsTheFieldTextAndKeepsIt) {
  Console c;
  EXPECT_EQ(c.SndText().text(), "*idn?");
  QTest::keyClick(&c.SndText(), Qt::Key_Return);
  EXPECT_EQ(c.run.qel.sent, std::vector<std::string>({"*idn?"}));
  EXPECT_EQ(c.Log(),
            QStringList({"00.00.000 SND : *idn?", "00.00.000 REC : KORVAL,QEL11,11230042,1.07"}));
  EXPECT_EQ(c.SndText().text(), "*idn?");        // nothing inserted, nothing lost
  QTest::keyClick(&c.SndText(), Qt::Key_Enter);  // the keypad's Enter repeats it
  EXPECT_EQ(c.run.qel.sent, std::vector<std::string>({"*idn?", "*idn?"}));
}

TEST(ScpiTestForm, TextIsSentExactlyAsTyped) {
  struct Row {
    QString typed;
    std::vector<std::string> sent;
    QStringList log;
  };
  const std::vector<Row> rows = {
      // no "?": only the SND line, no answer awaited in the log
      {" mode dc ", {" mode dc "}, {"00.00.000 SND :  mode dc "}},
      // an empty field sends an empty line
      {"", {""}, {"00.00.000 SND : "}},
  };
  for (const Row& row : rows) {
    Console c;
    c.SndText().setText(row.typed);
    QTest::keyClick(&c.SndText(), Qt::Key_Return);
    EXPECT_EQ(c.run.qel.sent, row.sent) << row.typed.toStdString();
    EXPECT_EQ(c.Log(), row.log) << row.typed.toStdString();
  }
}

TEST(ScpiTestForm, OtherKeysEditTheField) {
  Console c;
  c.SndText().end(false);
  QTest::keyClick(&c.SndText(), Qt::Key_Backspace);
  QTest::keyClicks(&c.SndText(), "n?");
  EXPECT_EQ(c.SndText().text(), "*idnn?");
  EXPECT_TRUE(c.run.qel.sent.empty());
}

TEST(ScpiTestForm, ContextMenuSendIsEnabledOnlyWithASelection) {
  Console c;
  c.form.SndTextKeyPress();
  RightClick(*c.Memo().viewport(), QPoint(5, 5));
  EXPECT_FALSE(c.form.Send1()->isEnabled());
  c.form.PopupMenu1()->hide();

  c.Memo().setTextCursor(c.Memo().document()->find("*idn?"));
  RightClick(*c.Memo().viewport(), QPoint(5, 5));
  EXPECT_TRUE(c.form.Send1()->isEnabled());
  EXPECT_TRUE(c.form.PopupMenu1()->isVisible());
  c.form.PopupMenu1()->hide();
}

TEST(ScpiTestForm, SendRepeatsTheSelectedCommand) {
  Console c;
  c.run.qel.Reply("UNIT?", "T");
  c.SndText().setText("UNIT?");
  c.form.SndTextKeyPress();
  c.SndText().setText("*idn?");
  c.form.SndTextKeyPress();
  // select the command of the first SND line only
  c.Memo().setTextCursor(c.Memo().document()->find("UNIT?"));
  RightClick(*c.Memo().viewport(), QPoint(5, 5));
  ClickInMenu(*c.form.PopupMenu1(), *c.form.Send1());
  EXPECT_EQ(c.SndText().text(), "UNIT?");
  EXPECT_EQ(c.run.qel.sent, std::vector<std::string>({"UNIT?", "*idn?", "UNIT?"}));
  EXPECT_EQ(c.Log().mid(4), QStringList({"00.00.000 SND : UNIT?", "00.00.000 REC : T"}));
}

TEST(ScpiTestForm, SendWithoutSelectionSendsNothing) {
  Console c;
  c.form.SndTextKeyPress();
  c.form.Send1Click();
  EXPECT_EQ(c.run.qel.sent.size(), 1u);
}

TEST(ScpiTestForm, ClrEmptiesTheDisplayAndTheLogGoesOn) {
  Console c;
  c.form.SndTextKeyPress();
  c.form.Form().Button1->click();
  EXPECT_TRUE(c.Memo().toPlainText().isEmpty());
  c.form.SndTextKeyPress();
  EXPECT_EQ(c.Log().first(), "00.00.000 SND : *idn?");
  EXPECT_EQ(c.Log().size(), 2);
}

TEST(ScpiTestForm, LogIsMonospacedAndTheWindowOnlyHides) {
  Console c;
  const QFontMetrics metrics(c.Memo().font());  // every character as wide as any other
  EXPECT_EQ(metrics.horizontalAdvance("iiii.:"), metrics.horizontalAdvance("MMMMWW"));
  EXPECT_EQ(c.form.windowTitle(), "SCPI Test");
  c.form.show();
  c.form.close();
  EXPECT_FALSE(c.form.isVisible());
  c.form.SndTextKeyPress();  // the log fills while hidden
  EXPECT_EQ(c.Log().size(), 2);
}

}  // namespace
}  // namespace qel::testing
