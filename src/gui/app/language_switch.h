// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module Sprach_Unit (Englisch1Click, Deutsch1Click, RestartProgram).
// The language items of the main menu ("Englisch", "Deutsch") and the restart they
// trigger. The language is fixed for a run: a switch saves the settings with the new
// choice, starts the tool anew and ends the running instance; the new instance decides
// its language from the setting just written.

#include <QString>
#include <QStringList>
#include <functional>

#include "core/lang/language_state.h"

namespace qel::gui {

class TMainForm;

// What a restart needs from the running process. The application fills it from the
// process; tests replace parts of it.
struct RestartEnvironment {
  QString program;        // the tool's own executable
  QStringList arguments;  // this instance's command line, without the program
  // Starts the new instance on its own; false when it could not be started.
  std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
  std::function<void()> quit;  // ends this instance (leaves the message loop)
};

// QCoreApplication's executable path and arguments, QProcess::startDetached and
// QCoreApplication::quit.
RestartEnvironment ProcessRestartEnvironment();

enum class RestartOutcome {
  Unchanged,         // the clicked item names the running language
  Restarted,         // settings saved, new instance started, this one ends
  SettingsNotSaved,  // the settings file refused the write: reported, no restart
  NotStarted,        // the new instance could not be started: reported, this one goes on
};

// Englisch1Click (english = true) and Deutsch1Click. The item of the running language
// does nothing; the other one checks itself, unchecks its partner and runs
// RestartProgram. When no restart comes of it the running instance goes on, and the
// check marks go back to its language, so the menu tells the truth and the user can try
// again; a new instance that could not be started also leaves the settings file naming
// the running language.
RestartOutcome LanguageItemClick(TMainForm& mainForm, const LanguageState& state, bool english,
                                 const RestartEnvironment& environment);

// Saves the settings through the main window's close handler (the language key from the
// check marks), starts the tool with the "--" options of this instance (so never in
// service mode, but with the same instrument and time limit), then quits. Failures are
// reported through the main window's error report.
RestartOutcome RestartProgram(TMainForm& mainForm, const RestartEnvironment& environment);

}  // namespace qel::gui
