// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window program over the in-process virtual instrument, with its settings file in a
// fresh folder: what a user gets with `qel11-config --simulate`.

#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "../../core/platform/temp_dir.h"
#include "gui/app/qel_application.h"
#include "sim/sim_backend.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::testing {

struct AppFixture {
  TempDir dir;
  std::string settingsPath = dir.File("QEL_HID_SETUP.ini");
  gui::SettingsLocation location;  // when set, in place of settingsPath
  sim::SimBackend* sim = nullptr;
  std::unique_ptr<gui::QelApplication> app;
  std::vector<QString> errors;

  explicit AppFixture(std::string firstArgument = "", bool systemIsGerman = true) {
    Start(std::move(firstArgument), systemIsGerman);
  }

  void Start(std::string firstArgument = "", bool systemIsGerman = true) {
    app.reset();
    gui::ProgramOptions options;
    options.device = "sim";
    options.timeoutMs = 200;
    options.firstArgument = std::move(firstArgument);
    auto backend = std::make_unique<sim::SimBackend>();
    sim = backend.get();
    app = std::make_unique<gui::QelApplication>(
        options, std::move(backend),
        location ? location : [this] { return std::filesystem::path(settingsPath); },
        systemIsGerman);
    app->MainForm().ReportError = [this](const QString& m) { errors.push_back(m); };
    app->ScanNow();
    sim->ClearReceived();
  }

  Ui::TMainForm& Form() { return app->MainForm().Form(); }
  std::vector<std::string> Lines() const { return sim->ReceivedLines(); }
};

// Types into a line of the SCPI tab's list as a user does: the first key opens the cell's
// editor, the others go to the editor, which stays open.
inline void TypeIntoScpiLine(Ui::TMainForm& form, int row, const QString& text) {
  QTableWidget& grid = *form.StringGrid;
  grid.setCurrentCell(row, 0);
  QTest::keyClick(&grid, text.front().toLatin1());
  QWidget* editor = grid.indexWidget(grid.currentIndex());
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, text.mid(1));
  EXPECT_EQ(grid.item(row, 0)->text(), QString());  // not committed yet
}

}  // namespace qel::testing
