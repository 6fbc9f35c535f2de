#pragma once
// The window program over the in-process virtual instrument, with its settings file in a
// fresh folder: what a user gets with `qel11-config --simulate`.

#include <QApplication>
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
    app = std::make_unique<gui::QelApplication>(options, std::move(backend), settingsPath,
                                                systemIsGerman);
    app->MainForm().ReportError = [this](const QString& m) { errors.push_back(m); };
    app->ScanNow();
    sim->ClearReceived();
  }

  Ui::TMainForm& Form() { return app->MainForm().Form(); }
  std::vector<std::string> Lines() const { return sim->ReceivedLines(); }
};

}  // namespace qel::testing
