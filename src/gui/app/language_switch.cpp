// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/language_switch.h"

#include <QAction>
#include <QCoreApplication>
#include <QProcess>
#include <string>
#include <vector>

#include "core/lang/restart_arguments.h"
#include "core/platform/ini_file.h"
#include "gui/app/QEL11_Setup_HID_Unit.h"
#include "gui/common/file_path.h"
#include "gui/common/text_codec.h"

namespace qel::gui {

namespace {

void SetCheckMarks(TMainForm& mainForm, bool english) {
  if (auto* item = mainForm.findChild<QAction*>(QStringLiteral("Englisch1"))) {
    item->setChecked(english);
  }
  if (auto* item = mainForm.findChild<QAction*>(QStringLiteral("Deutsch1"))) {
    item->setChecked(!english);
  }
}

void Report(TMainForm& mainForm, const QString& message) {
  if (mainForm.ReportError) mainForm.ReportError(message);
}

}  // namespace

RestartEnvironment ProcessRestartEnvironment() {
  RestartEnvironment environment;
  environment.program = QCoreApplication::applicationFilePath();
  environment.arguments = QCoreApplication::arguments().mid(1);
  environment.startDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  environment.quit = [] { QCoreApplication::quit(); };
  return environment;
}

RestartOutcome LanguageItemClick(TMainForm& mainForm, const LanguageState& state, bool english,
                                 const RestartEnvironment& environment) {
  if (english == state.EnglishSelected) {
    SetCheckMarks(mainForm, state.EnglishSelected);
    return RestartOutcome::Unchanged;
  }
  SetCheckMarks(mainForm, english);
  const RestartOutcome outcome = RestartProgram(mainForm, environment);
  if (outcome != RestartOutcome::Restarted) SetCheckMarks(mainForm, state.EnglishSelected);
  if (outcome == RestartOutcome::NotStarted) {
    // The settings already name the other language; this instance goes on in its own, so
    // a start by other means must find that one.
    try {
      mainForm.FormClose();
    } catch (const IniWriteError& error) {
      Report(mainForm, WriteErrorText(error.Path()));
    }
  }
  return outcome;
}

RestartOutcome RestartProgram(TMainForm& mainForm, const RestartEnvironment& environment) {
  try {
    mainForm.FormClose();
  } catch (const IniWriteError& error) {
    Report(mainForm, WriteErrorText(error.Path()));
    return RestartOutcome::SettingsNotSaved;
  }

  std::vector<std::string> running;
  running.reserve(static_cast<std::size_t>(environment.arguments.size()));
  for (const QString& argument : environment.arguments) running.push_back(argument.toStdString());
  QStringList arguments;
  for (const std::string& argument : RestartArguments(running)) {
    arguments.push_back(QString::fromStdString(argument));
  }

  if (!environment.startDetached || !environment.startDetached(environment.program, arguments)) {
    Report(mainForm, environment.program + QStringLiteral(" kann nicht gestartet werden"));
    return RestartOutcome::NotStarted;
  }
  if (environment.quit) environment.quit();
  return RestartOutcome::Restarted;
}

}  // namespace qel::gui
