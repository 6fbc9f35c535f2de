// SPDX-License-Identifier: GPL-3.0-or-later
// The device information and error status pages as the main window's tab " Gerätedaten "
// holds them, over the virtual instrument: bound to the run's session, captions in the
// language chosen at start.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "../app/app_fixture.h"
#include "../user_input.h"
#include "gui/diag/QEL_Info_Frame_Unit.h"
#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"
#include "ui_QEL_Info_Frame_Unit.h"
#include "ui_SCPI_FehlerLesen_Frame_Unit.h"

namespace qel::testing {
namespace {

QStringList Captions(gui::TInfo_Frame& page) {
  QStringList captions;
  const QTableWidget& grid = *page.Form().StringGrid;
  for (int r = 0; r < grid.rowCount(); ++r) captions << grid.item(r, 0)->text();
  return captions;
}

TEST(GeraetedatenTab, LesenReadsTheDeviceInformation) {
  AppFixture fx;
  gui::TInfo_Frame& page = *fx.Form().Info_Frame1;
  EXPECT_TRUE(fx.Lines().empty());  // nothing read at start or when the tab is shown
  ClickTab(*fx.Form().PageControl1, 1);
  EXPECT_TRUE(fx.Lines().empty());
  page.Form().Read->click();
  EXPECT_EQ(fx.Lines(),
            std::vector<std::string>({"*idnt?", "SN:UNIT?", "SN:HW?", "SN:SW?", "SN:CALI?",
                                      "Probe:NAME?", "Probe:TYPE?", "Probe:SN?", "Probe:SNEP?"}));
  EXPECT_EQ(Captions(page).first(), QString::fromUtf8("Geräte Information"));
  EXPECT_EQ(page.Form().StringGrid->item(1, 1)->text(), "KORVAL QEL11 Teslameter");
}

TEST(GeraetedatenTab, EnglishCaptionsWhenEnglishWasChosen) {
  AppFixture fx("", /*systemIsGerman=*/false);
  gui::TInfo_Frame& page = *fx.Form().Info_Frame1;
  EXPECT_EQ(page.Form().GroupBox1->title(), " Device information ");
  page.ReadClick();
  EXPECT_EQ(Captions(page),
            QStringList({"Device information", "SCPI IDNT", "Serial Number", "Hardware version",
                         "Software version", "Calibration info", "Probe information", "Name",
                         "Type", "Serial number 1", "Serial number 2", "Calibration info"}));
}

TEST(GeraetedatenTab, ErrorStatusLesenEmptiesTheQueue) {
  AppFixture fx;
  fx.app->Session().ScpiQuery("FOO");
  fx.sim->ClearReceived();
  fx.Form().SCPI_Fehler_Frame1->Form().Button1->click();
  EXPECT_EQ(fx.Form().SCPI_Fehler_Frame1->Form().Memo1->toPlainText(),
            "-113,\"Undefined header\"\n0,\"No error\"");
  EXPECT_EQ(fx.Lines(), std::vector<std::string>(2, "syst:err?"));
}

}  // namespace
}  // namespace qel::testing
