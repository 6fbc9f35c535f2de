// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window program over the in-process virtual instrument, started with a given
// language setting in a fresh settings folder; and the texts its windows show.

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "../../core/platform/temp_dir.h"
#include "core/platform/settings_file.h"
#include "gui/app/qel_application.h"
#include "qstring_printer.h"
#include "sim/sim_backend.h"

class QObject;

namespace qel::testing {

struct LangFixture {
  TempDir dir;
  std::string settingsPath = dir.File("QEL_HID_SETUP.ini");
  std::unique_ptr<gui::QelApplication> app;
  std::vector<QString> errors;

  // `english`: the "English" key written to the settings file before the start; nullopt
  // starts without a settings file.
  explicit LangFixture(std::optional<bool> english, bool systemIsGerman = true,
                       std::string firstArgument = "") {
    if (english) WriteMainSettings(settingsPath, {}, *english);
    Start(systemIsGerman, std::move(firstArgument));
  }

  void Start(bool systemIsGerman = true, std::string firstArgument = "") {
    app.reset();
    gui::ProgramOptions options;
    options.device = "sim";
    options.timeoutMs = 200;
    options.firstArgument = std::move(firstArgument);
    app = std::make_unique<gui::QelApplication>(
        options, std::make_unique<sim::SimBackend>(), [this] { return settingsPath; },
        systemIsGerman);
    app->MainForm().ReportError = [this](const QString& m) { errors.push_back(m); };
  }
};

// Every text the windows show outside grids and plain-text logs, keyed by where it is
// shown ("MainForm/centralWidget/.../Button14:text"). Gathered by reading Qt's own
// properties, not by the walk's rules, so that the two check each other.
using TextSlots = std::map<std::string, QString>;
TextSlots CollectTexts(const std::vector<QWidget*>& forms);

}  // namespace qel::testing
