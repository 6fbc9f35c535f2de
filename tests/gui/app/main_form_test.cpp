// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's shell and its own device actions, over the in-process instrument.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "../lang/qstring_printer.h"
#include "../user_input.h"
#include "app_fixture.h"
#include "core/platform/settings_file.h"
#include "ui_SCPI_Test_Unit.h"
#include "ui_USB_HID_Connect_Unit.h"
#include "ui_service_tab.h"

namespace qel::testing {
namespace {

using Lines = std::vector<std::string>;

// The menu items of the main window, menu bar items and items of its menus, by caption.
QStringList MenuItems(QMenuBar& bar) {
  QStringList items;
  for (QAction* top : bar.actions()) {
    items << top->text();
    if (top->menu() != nullptr) {
      for (QAction* item : top->menu()->actions()) items << top->text() + "/" + item->text();
    }
  }
  return items;
}

// Outside service mode the service tab and items do not exist at all, hidden or not.
TEST(MainForm, ServiceModeOnlyWithExactCode) {
  const QStringList menus = {"Datei",
                             "Datei/Parameter speichern",
                             "Datei/Parameter öffnen",
                             "Datei/",
                             "Datei/Beenden",
                             "Service",
                             "Service/SCPI Test",
                             "Service/Messwerte Verlauf",
                             "Sprache",
                             "Sprache/Englisch",
                             "Sprache/Deutsch"};
  QStringList serviceMenus = menus;
  serviceMenus.insert(6, "Service/HID Interface");
  serviceMenus.insert(9, "Hardcopy");
  serviceMenus.insert(10, "Probe");
  serviceMenus.insert(11, "CalParameter");
  const std::vector<std::pair<std::string, bool>> rows = {
      {"6083", true}, {"6083 ", false}, {"", false}, {"1234", false}, {"06083", false}};
  for (const auto& [argument, service] : rows) {
    AppFixture f(argument);
    QTabWidget& tabs = *f.Form().PageControl1;
    EXPECT_EQ(tabs.count(), service ? 7 : 6) << argument;
    EXPECT_EQ(tabs.tabText(tabs.count() - 1), service ? "Service" : " SCPI Test ") << argument;
    EXPECT_EQ(f.app->MainForm().ServiceTab() != nullptr, service) << argument;
    EXPECT_EQ(f.app->MainForm().findChild<QWidget*>("TabSheet8") != nullptr, service);
    EXPECT_EQ(MenuItems(*f.Form().MainMenu1), service ? serviceMenus : menus) << argument;
    for (const char* name : {"HIDInterface1", "Hardcopy1", "Probe1", "CalParameter1"}) {
      EXPECT_EQ(f.app->MainForm().findChild<QAction*>(name) != nullptr, service) << name;
    }
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
    ClickTab(*f.Form().PageControl1, tab);
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
    ClickTab(*f.Form().PageControl1, tab);
    QApplication::processEvents();
    EXPECT_EQ(f.Form().PageControl1->geometry(), pages) << tab;
    EXPECT_EQ(f.Form().StatusPanelVerbunden->geometry(), panel) << tab;
  }
}

TEST(MainForm, InputPollingRunsOnlyWhileIoTabShown) {
  AppFixture f;
  auto& timer = f.app->MainForm().ReadEingaengeTimer();
  EXPECT_FALSE(timer.isActive());
  ClickTab(*f.Form().PageControl1, 3);
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), 500);
  ClickTab(*f.Form().PageControl1, 0);
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
  ClickTab(*f.Form().PageControl1, 6);
  auto& s = f.app->MainForm().ServiceTab()->Form();
  for (QWidget* w : std::initializer_list<QWidget*>{s.Button1, s.Button9, s.Button12, s.Button10,
                                                    s.Button11, s.CheckBox1, s.CheckBox1}) {
    Click(*w);
  }
  ChooseItem(*s.TestBereicheComboBox, 3);
  EXPECT_EQ(f.Lines(), (Lines{"inte:tol", "inte:tos", "inte:tol;tul", "inte:tus", "inte:tul",
                              "inte:tlok 1", "inte:tlok 0", "INTE:RANG 3"}));
  EXPECT_EQ(s.TestBereicheComboBox->currentText(), " 300 mT B3");
  // The two "Lang" and the two "Kurz" are told apart for screen readers.
  EXPECT_EQ(s.Button1->accessibleDescription(), "Obere Taste lang");
  EXPECT_EQ(s.Button10->accessibleDescription(), "Untere Taste kurz");
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
  ClickTab(*f.Form().PageControl1, 5);
  DoubleClickCell(*grid, 0);
  DoubleClickCell(*grid, 1);
  EXPECT_EQ(f.Lines(), Lines{"  MODE?"});
  EXPECT_EQ(f.Form().Memo1->toPlainText(), QString("  MODE? -> DC"));
}

TEST(MainForm, ContinuousReadStopsWithoutConnection) {
  AppFixture f("6083");
  f.sim->Unplug();
  f.app->ScanNow();
  gui::ServiceTabSheet& tab = *f.app->MainForm().ServiceTab();
  ClickTab(*f.Form().PageControl1, 6);
  Click(*tab.Form().DauerRead);
  EXPECT_TRUE(tab.Timer1().isActive());
  tab.Timer1Timer();
  EXPECT_FALSE(tab.Form().DauerRead->isChecked());
  EXPECT_FALSE(tab.Timer1().isActive());
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
  ClickTab(*f.Form().PageControl1, 5);
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
