// SPDX-License-Identifier: GPL-3.0-or-later
// The "Sprache" menu: the item of the running language does nothing; the other saves the
// settings, starts the tool anew with the running instance's "--" options and quits; a
// failed save or start keeps the running instance with its check marks.

#include <gtest/gtest.h>

#include "../app/app_fixture.h"
#include "../user_input.h"
#include "lang_fixture.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::testing {
namespace {

struct Restarts {
  std::vector<std::pair<QString, QStringList>> started;
  int quits = 0;
  bool startWorks = true;

  void Attach(gui::QelApplication& app) {
    auto& restart = app.Restart();
    restart.program = "/opt/qel/bin/qel11-config";
    restart.arguments = {"6083", "--device", "tcp:lab:5025", "--timeout=500"};
    restart.startDetached = [this](const QString& program, const QStringList& arguments) {
      started.emplace_back(program, arguments);
      return startWorks;
    };
    restart.quit = [this] { ++quits; };
  }
};

TEST(LanguageSwitch, ItemOfTheRunningLanguageDoesNothing) {
  for (const bool english : {false, true}) {
    LangFixture f(english, true, "6083");
    Restarts restarts;
    restarts.Attach(*f.app);
    const std::string settingsBefore = ReadBytes(f.settingsPath);
    auto& form = f.app->MainForm().Form();
    ClickMenuItem(*form.MainMenu1, *(english ? form.Englisch1 : form.Deutsch1));
    EXPECT_TRUE(restarts.started.empty());
    EXPECT_EQ(restarts.quits, 0);
    EXPECT_EQ(ReadBytes(f.settingsPath), settingsBefore);
    EXPECT_EQ(form.Englisch1->isChecked(), english);
    EXPECT_EQ(form.Deutsch1->isChecked(), !english);
  }
}

TEST(LanguageSwitch, OtherItemSavesStartsWithOptionsOnlyAndQuits) {
  for (const bool english : {false, true}) {
    LangFixture f(english, true, "6083");
    Restarts restarts;
    restarts.Attach(*f.app);
    auto& form = f.app->MainForm().Form();
    f.app->MainForm().show();
    TypeIntoScpiLine(form, 2, "*idn?");  // still in the editor at the switch
    ClickMenuItem(*form.MainMenu1, *(english ? form.Deutsch1 : form.Englisch1));

    const MainSettings saved = ReadMainSettings(f.settingsPath);
    EXPECT_EQ(saved.english, !english);
    EXPECT_EQ(saved.scpiLines[2], "*idn?");
    ASSERT_EQ(restarts.started.size(), 1u);
    EXPECT_EQ(restarts.started[0].first, QString("/opt/qel/bin/qel11-config"));
    EXPECT_EQ(restarts.started[0].second,
              QStringList({"--device", "tcp:lab:5025", "--timeout=500"}));
    EXPECT_EQ(restarts.quits, 1);
    EXPECT_EQ(form.Englisch1->isChecked(), !english);
    EXPECT_TRUE(f.errors.empty());
  }
}

TEST(LanguageSwitch, UnwritableSettingsReportedAndNoRestart) {
  LangFixture f(std::nullopt);
  f.settingsPath = f.dir.File("no-such-folder/QEL_HID_SETUP.ini");
  f.Start();
  Restarts restarts;
  restarts.Attach(*f.app);
  f.app->MainForm().show();
  auto& form = f.app->MainForm().Form();
  ClickMenuItem(*form.MainMenu1, *form.Englisch1);

  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0],
            QString::fromStdString("In " + f.settingsPath + " kann nicht geschrieben werden"));
  EXPECT_TRUE(restarts.started.empty());
  EXPECT_EQ(restarts.quits, 0);
  EXPECT_TRUE(f.app->MainForm().isVisible());
  EXPECT_TRUE(form.Deutsch1->isChecked());
  EXPECT_FALSE(form.Englisch1->isChecked());
}

TEST(LanguageSwitch, StartThatFailsIsReportedAndTheRunningInstanceGoesOn) {
  LangFixture f(false);
  Restarts restarts;
  restarts.startWorks = false;
  restarts.Attach(*f.app);
  f.app->MainForm().show();
  auto& form = f.app->MainForm().Form();
  ClickMenuItem(*form.MainMenu1, *form.Englisch1);

  ASSERT_EQ(restarts.started.size(), 1u);
  EXPECT_EQ(restarts.quits, 0);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], QString("/opt/qel/bin/qel11-config kann nicht gestartet werden"));
  EXPECT_TRUE(f.app->MainForm().isVisible());
  // The menu and the settings file show the running language again.
  EXPECT_TRUE(form.Deutsch1->isChecked());
  EXPECT_FALSE(form.Englisch1->isChecked());
  EXPECT_EQ(ReadMainSettings(f.settingsPath).english, false);
  // The user can try again.
  restarts.startWorks = true;
  ClickMenuItem(*form.MainMenu1, *form.Englisch1);
  EXPECT_EQ(restarts.started.size(), 2u);
  EXPECT_EQ(restarts.quits, 1);
}

}  // namespace
}  // namespace qel::testing
