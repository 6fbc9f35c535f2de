// The main window's shell and its own device actions, over the in-process instrument.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "app_fixture.h"
#include "core/platform/settings_file.h"
#include "ui_SCPI_Test_Unit.h"
#include "ui_USB_HID_Connect_Unit.h"

namespace qel::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(MainForm, ServiceModeOnlyWithExactCode) {
  const std::vector<std::pair<std::string, bool>> rows = {
      {"6083", true}, {"6083 ", false}, {"", false}, {"1234", false}, {"06083", false}};
  for (const auto& [argument, service] : rows) {
    AppFixture f(argument);
    EXPECT_EQ(f.Form().PageControl1->isTabVisible(6), service) << argument;
    EXPECT_EQ(f.Form().HIDInterface1->isVisible(), service) << argument;
    EXPECT_EQ(f.Form().Hardcopy1->isVisible(), service) << argument;
    EXPECT_EQ(f.Form().Probe1->isVisible(), service) << argument;
    EXPECT_EQ(f.Form().CalParameter1->isVisible(), service) << argument;
    EXPECT_TRUE(f.Form().SCPITest1->isVisible());
  }
}

// The application owns the link: the first scan waits for the event loop, and what the
// link and the session log shows in the link window and the console.
TEST(Application, FirstScanWhenTheLoopRunsAndLogsInTheirWindows) {
  TempDir dir;
  gui::ProgramOptions options;
  options.timeoutMs = 200;
  const std::filesystem::path settings = dir.File("s.ini");
  gui::QelApplication app(
      options, std::make_unique<sim::SimBackend>(), [settings] { return settings; }, true);
  app.Session().SetLogClock([] { return LogTime{1, 2, 3}; });
  EXPECT_FALSE(app.Link().Connected());
  QCoreApplication::processEvents();
  ASSERT_TRUE(app.Link().Connected());
  EXPECT_EQ(app.UsbHid().Form().Memo->toPlainText().split('\n').front(), "Device Change ");
  EXPECT_EQ(app.UsbHid().Form().ConnectStatus->text(), "QEL Found");
  app.Session().ScpiQuery("MODE?");
  EXPECT_EQ(app.ScpiTestForm().Form().Memo->toPlainText(),
            "01.02.003 SND : MODE?\n01.02.003 REC : DC");
}

TEST(MainForm, WindowSetHasItsCaptions) {
  AppFixture f;
  EXPECT_EQ(f.app->MainForm().windowTitle(),
            QString("QEL Configuration - Version 2021-06-18 - KORVAL"));
  EXPECT_EQ(f.app->UsbHid().windowTitle(), QString("USB HID Connect"));
  EXPECT_EQ(f.app->ScpiTestForm().windowTitle(), QString("SCPI Test"));
  EXPECT_EQ(f.Form().PageControl1->tabText(1), QString::fromUtf8(" Gerätedaten "));
  EXPECT_EQ(f.Form().Button14->text(), QString::fromUtf8("Werte aus Gerät lesen "));
}

TEST(MainForm, StoreGroupFollowsTheTab) {
  AppFixture f("6083");
  const std::vector<bool> shown = {true, false, true, false, true, false, true};
  for (int tab = 6; tab >= 0; --tab) {
    f.Form().PageControl1->setCurrentIndex(tab);
    EXPECT_EQ(!f.Form().Store_GroupBox->isHidden(), shown[tab]) << tab;
  }
}

TEST(MainForm, TabChangeMovesNeitherPagesNorStatusPanels) {
  AppFixture f("6083");
  f.app->MainForm().show();
  f.app->MainForm().StatusTimerTimer();
  QApplication::processEvents();
  const QRect pages = f.Form().PageControl1->geometry();
  const QRect panel = f.Form().StatusPanelVerbunden->geometry();
  for (int tab : {1, 3, 5, 0}) {
    f.Form().PageControl1->setCurrentIndex(tab);
    QApplication::processEvents();
    EXPECT_EQ(f.Form().PageControl1->geometry(), pages) << tab;
    EXPECT_EQ(f.Form().StatusPanelVerbunden->geometry(), panel) << tab;
  }
}

TEST(MainForm, InputPollingRunsOnlyWhileIoTabShown) {
  AppFixture f;
  auto& timer = f.app->MainForm().ReadEingaengeTimer();
  EXPECT_FALSE(timer.isActive());
  f.Form().PageControl1->setCurrentIndex(3);
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), 500);
  f.Form().PageControl1->setCurrentIndex(0);
  EXPECT_FALSE(timer.isActive());
}

TEST(MainForm, StatusPanelsShowConnectedFlag) {
  AppFixture f;
  EXPECT_TRUE(f.Form().StatusPanelVerbunden->isHidden());
  EXPECT_TRUE(f.Form().StatusPanelFehler->isHidden());
  f.app->MainForm().StatusTimerTimer();
  EXPECT_FALSE(f.Form().StatusPanelVerbunden->isHidden());
  EXPECT_TRUE(f.Form().StatusPanelFehler->isHidden());
  f.sim->Unplug();
  f.app->ScanNow();
  f.app->MainForm().StatusTimerTimer();
  EXPECT_TRUE(f.Form().StatusPanelVerbunden->isHidden());
  EXPECT_FALSE(f.Form().StatusPanelFehler->isHidden());
}

TEST(MainForm, OutputTestAndTestOff) {
  AppFixture f;
  f.Form().TestOut2->click();  // on
  f.Form().TestOut2->click();  // off
  f.Form().Button13->click();
  EXPECT_EQ(f.Lines(), (Lines{"DGIO:OEN2 1", "DGIO:SET:OUT2:LOG 0", "DGIO:OUT2 1", "DGIO:OEN2 1",
                              "DGIO:SET:OUT2:LOG 0", "DGIO:OUT2 0", "DGIO:OEN1 0", "DGIO:OEN2 0",
                              "DGIO:OEN3 0", "DGIO:OEN4 0"}));
  EXPECT_FALSE(f.Form().TestOut2->isChecked());
}

TEST(MainForm, StoreSendsParSavwAndReenablesButton) {
  AppFixture f;
  f.Form().Speichern_Button->click();
  EXPECT_EQ(f.Lines(), Lines{"par:savw?"});
  EXPECT_TRUE(f.Form().Speichern_Button->isEnabled());
}

TEST(MainForm, ServiceTabLines) {
  AppFixture f("6083");
  f.Form().Button1->click();
  f.Form().Button9->click();
  f.Form().Button12->click();
  f.Form().Button10->click();
  f.Form().Button11->click();
  f.Form().CheckBox1->click();
  f.Form().CheckBox1->click();
  emit f.Form().TestBereicheComboBox->activated(3);
  EXPECT_EQ(f.Lines(), (Lines{"inte:tol", "inte:tos", "inte:tol;tul", "inte:tus", "inte:tul",
                              "inte:tlok 1", "inte:tlok 0", "INTE:RANG 3"}));
}

TEST(MainForm, TestRangeBoxIgnoresTyping) {
  AppFixture f("6083");
  auto* box = f.Form().TestBereicheComboBox;
  box->setCurrentIndex(1);
  QTest::keyClicks(box, "7 ");
  EXPECT_EQ(box->currentIndex(), 1);
  EXPECT_EQ(box->itemText(3), QString(" 300 mT B3"));
  EXPECT_TRUE(f.Lines().empty());
}

TEST(MainForm, ScpiTabTranscript) {
  AppFixture f;
  f.Form().SCPIIn->setText("MODE?");
  QTest::keyClick(f.Form().SCPIIn, Qt::Key_Return);
  f.Form().SCPIIn->setText("MODE AC");
  QTest::keyClick(f.Form().SCPIIn, Qt::Key_Return);
  EXPECT_EQ(f.Form().Memo1->toPlainText(), QString("MODE? -> DC\nMODE AC"));
  EXPECT_EQ(f.Form().SCPIIn->text(), QString("MODE AC"));  // kept for sending again
  f.Form().Button2->click();
  EXPECT_TRUE(f.Form().Memo1->toPlainText().isEmpty());
}

TEST(MainForm, GridDoubleClickSendsRowUnlessBlank) {
  AppFixture f;
  auto* grid = f.Form().StringGrid;
  grid->item(0, 0)->setText("   ");
  grid->item(1, 0)->setText("  MODE?");
  grid->setCurrentCell(0, 0);
  f.app->MainForm().StringGridDblClick();
  grid->setCurrentCell(1, 0);
  f.app->MainForm().StringGridDblClick();
  EXPECT_EQ(f.Lines(), Lines{"  MODE?"});
  EXPECT_EQ(f.Form().Memo1->toPlainText(), QString("  MODE? -> DC"));
}

TEST(MainForm, ContinuousReadStopsWithoutConnection) {
  AppFixture f("6083");
  f.sim->Unplug();
  f.app->ScanNow();
  f.Form().DauerRead->setChecked(true);
  EXPECT_TRUE(f.app->MainForm().Timer1().isActive());
  f.app->MainForm().Timer1Timer();
  EXPECT_FALSE(f.Form().DauerRead->isChecked());
  EXPECT_FALSE(f.app->MainForm().Timer1().isActive());
}

TEST(MainForm, SettingsSurviveARestart) {
  AppFixture f;
  f.Form().StringGrid->item(0, 0)->setText("*idnt?");
  f.Form().StringGrid->item(39, 0)->setText("syst:err?");
  f.Form().StringGrid->item(5, 0)->setText(QString::fromUtf8("Größe"));
  f.app->MainForm().close();
  EXPECT_TRUE(f.errors.empty());
  const MainSettings saved = ReadMainSettings(f.settingsPath);
  EXPECT_EQ(saved.scpiLines[0], "*idnt?");
  EXPECT_EQ(saved.scpiLines[5],
            "Gr\xf6\xdf"
            "e");
  EXPECT_EQ(saved.english, false);
  f.Start();
  EXPECT_EQ(f.Form().StringGrid->item(39, 0)->text(), QString("syst:err?"));
  EXPECT_EQ(f.Form().StringGrid->item(5, 0)->text(), QString::fromUtf8("Größe"));
  EXPECT_TRUE(f.Form().Deutsch1->isChecked());
}

// Closing the window without leaving the cell still saves what was typed into it.
TEST(MainForm, LineStillBeingEditedIsSavedAtClose) {
  AppFixture f;
  f.app->MainForm().show();
  f.Form().PageControl1->setCurrentIndex(5);
  TypeIntoScpiLine(f.Form(), 3, "*IDN?");
  f.app->MainForm().close();
  EXPECT_EQ(ReadMainSettings(f.settingsPath).scpiLines[3], "*IDN?");
  EXPECT_TRUE(f.errors.empty());
}

// The data folder is looked up again at close: one removed while the tool ran is made anew.
TEST(MainForm, SettingsGoIntoADataFolderMadeAgainAtClose) {
  AppFixture f;
  const std::string base = f.dir.File("data");
  f.location = gui::SettingsInDataFolder([base](const char* name) -> std::optional<std::string> {
    if (std::string_view(name) == "ProgramData") return base;
    return std::nullopt;
  });
  f.Start();
  std::filesystem::remove_all(base);
  f.app->MainForm().close();
  EXPECT_TRUE(f.errors.empty());
  EXPECT_EQ(ReadMainSettings(base + "/KORVAL/QELConfigTool/QEL_HID_SETUP.ini").english, false);
}

TEST(MainForm, LanguageFromSettingsWinsOverSystem) {
  AppFixture f("", /*systemIsGerman=*/false);
  EXPECT_TRUE(f.Form().Englisch1->isChecked());
  EXPECT_TRUE(f.app->Language().EnglishSelected);
  WriteMainSettings(f.settingsPath, {}, false);
  f.Start("", false);
  EXPECT_TRUE(f.Form().Deutsch1->isChecked());
  EXPECT_FALSE(f.app->Language().EnglishSelected);
}

TEST(MainForm, UnwritableSettingsReportedAndWindowStillCloses) {
  AppFixture f;
  f.settingsPath = f.dir.File("no-such-folder/QEL_HID_SETUP.ini");
  f.Start();
  f.app->MainForm().show();
  EXPECT_TRUE(f.app->MainForm().close());
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0],
            QString::fromStdString("In " + f.settingsPath + " kann nicht geschrieben werden"));
  EXPECT_FALSE(f.app->MainForm().isVisible());
}

}  // namespace
}  // namespace qel::testing
