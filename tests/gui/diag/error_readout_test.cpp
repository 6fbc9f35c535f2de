// SPDX-License-Identifier: GPL-3.0-or-later
// The error status page and the hidden "QEL11 Fehler auslesen " window: the queue read
// out line by line up to the stop text, and the bounds of a read-out that never gets it.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/diag/FehlerLesenUnit.h"
#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"
#include "ui_FehlerLesenUnit.h"
#include "ui_SCPI_FehlerLesen_Frame_Unit.h"
#include "window_context.h"

namespace qel::testing {
namespace {

const std::string kStop = "0,\"No error\"";
const std::string kUndefinedHeader = "-113,\"Undefined header\"";
const std::string kIllegalValue = "-224,\"Illegal parameter value\"";

QStringList Lines(const QPlainTextEdit& memo) {
  return memo.toPlainText().isEmpty() ? QStringList() : memo.toPlainText().split('\n');
}

struct Page {
  explicit Page(bool attached = true) : run(attached) { page.Bind(run.session); }
  ScriptedContext run;
  gui::TSCPI_Fehler_Frame page;
  QPlainTextEdit& Memo() { return *page.Form().Memo1; }
  void Lesen() { page.Form().Button1->click(); }
};

TEST(ErrorStatusPage, ReadOutEndsAtTheStopText) {
  struct Row {
    std::deque<std::string> replies;
    QStringList shown;
  };
  const std::vector<Row> rows = {
      {{kStop}, {QString::fromStdString(kStop)}},
      {{kUndefinedHeader, kIllegalValue, kStop},
       {QString::fromStdString(kUndefinedHeader), QString::fromStdString(kIllegalValue),
        QString::fromStdString(kStop)}},
  };
  for (const Row& row : rows) {
    Page p;
    p.run.qel.ReplyInTurn("syst:err?", row.replies);
    p.Lesen();
    EXPECT_EQ(Lines(p.Memo()), row.shown);
    EXPECT_EQ(p.run.qel.sent, std::vector<std::string>(row.shown.size(), "syst:err?"));
  }
}

TEST(ErrorStatusPage, SecondReadShowsOnlyTheStopText) {
  Page p;
  p.run.qel.ReplyInTurn("syst:err?", {kUndefinedHeader, kStop});
  p.Lesen();
  p.Lesen();
  EXPECT_EQ(Lines(p.Memo()), QStringList({QString::fromStdString(kStop)}));
}

TEST(ErrorStatusPage, WithoutInstrumentTheListIsEmptied) {
  Page p(/*attached=*/false);
  p.Memo().setPlainText("old line");
  p.Lesen();
  EXPECT_EQ(Lines(p.Memo()), QStringList());
}

// Code 0 in another form never matches the stop text: the read-out stops after 100
// entries, and the lines read stay visible.
TEST(ErrorStatusPage, QueueThatNeverEndsStopsAfterHundredEntries) {
  Page p;
  p.run.qel.Reply("syst:err?", "0,\"no error\"");
  p.Lesen();
  EXPECT_EQ(p.run.qel.sent.size(), 100u);
  const QStringList lines = Lines(p.Memo());
  EXPECT_EQ(lines.size(), 100);
  EXPECT_EQ(lines.back(), "0,\"no error\"");
}

TEST(ErrorStatusPage, EmptyReplyEndsTheReadOutAndKeepsTheLinesRead) {
  Page p;
  p.run.qel.ReplyInTurn("syst:err?", {kUndefinedHeader, ""});
  p.Lesen();
  EXPECT_EQ(p.run.qel.sent.size(), 2u);
  EXPECT_EQ(Lines(p.Memo()), QStringList({QString::fromStdString(kUndefinedHeader)}));
}

TEST(ErrorStatusPage, ListsTheVirtualInstrumentsErrors) {
  SimContext run;
  gui::TSCPI_Fehler_Frame page;
  page.Bind(run.session);
  run.session.ScpiQuery("FOO");
  page.Button1Click();
  EXPECT_EQ(Lines(*page.Form().Memo1),
            QStringList({QString::fromStdString(kUndefinedHeader), QString::fromStdString(kStop)}));
}

TEST(ErrorStatusPage, LesenIsNotReachedWithTheTabKey) {
  gui::TSCPI_Fehler_Frame page;
  EXPECT_FALSE(page.Form().Button1->focusPolicy() & Qt::TabFocus);
  EXPECT_EQ(page.Form().GroupBox1->title(), " Fehler Status ");
}

TEST(Fehlerform, ShowingAndRetryReadTheQueue) {
  ScriptedContext run;
  run.qel.ReplyInTurn("syst:err?", {kIllegalValue, kStop});
  gui::TFehlerform form(run.session);
  EXPECT_EQ(form.windowTitle(), "QEL11 Fehler auslesen ");
  EXPECT_TRUE(run.qel.sent.empty());  // created hidden, nothing read
  form.show();
  EXPECT_EQ(Lines(*form.Form().Memo1),
            QStringList({QString::fromStdString(kIllegalValue), QString::fromStdString(kStop)}));
  form.Form().RetryButton->click();
  EXPECT_EQ(Lines(*form.Form().Memo1), QStringList({QString::fromStdString(kStop)}));
  EXPECT_EQ(run.qel.sent.size(), 3u);
  form.close();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace qel::testing
