// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: seven tabs with the parameter pages and the device actions, the store
// group, the connection panels, the main menu, and the settings kept in the settings
// file (the SCPI line list and the language choice).

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "core/platform/settings_file.h"
#include "gui/app/service_tab.h"
#include "gui/pages/main_form_pages.h"

namespace Ui {
class TMainForm;
}

namespace qel::gui {

// Where the settings file is; asked at start and again at every save, so a data folder
// that went missing meanwhile is made anew.
using SettingsLocation = std::function<std::filesystem::path()>;

// What the main window uses of the run; all of it outlives the window.
struct MainFormRun {
  ScpiSession& session;
  const HidLink& link;           // its Connected flag
  LanguageState& language;       // EnglishSelected, decided at creation
  const Dictionary& dictionary;  // for the captions of the device information page
  std::string firstArgument;     // the service code switches the service mode on
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Runs FormCreate: service mode from the first argument, the settings file, the
  // language decision. `systemIsGerman` is the outcome of the system language test.
  // Nothing here talks to the instrument.
  TMainForm(const MainFormRun& run, SettingsLocation settingsPath, bool systemIsGerman,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  Ui::TMainForm& Form() { return *ui_; }
  QTimer& StatusTimer() { return statusTimer_; }
  QTimer& ReadEingaengeTimer() { return readEingaengeTimer_; }
  // The "Service" tab; it exists only in service mode (nullptr otherwise).
  ServiceTabSheet* ServiceTab() { return serviceTab_; }

  // Windows the menu shows; set by the application once they exist.
  std::function<void()> ShowUsbHid, ShowScpiTest, ShowHardcopy, ShowProbe, ShowCalParameter;
  // Language switch (restart); set by the application.
  std::function<void(bool english)> SwitchLanguage;
  // The application's general error report (a message box unless replaced, e.g. in tests).
  std::function<void(const QString& message)> ReportError;

  // The parameter pages with their frames: read all, write all, the parameter file.
  MainFormPages& Pages() { return *pages_; }
  // The parameter file's dialogs: the chosen path, empty when cancelled (tests replace
  // them); and the "Save at" and "on PC" texts of a file saved now.
  std::function<QString()> AskParameterSaveFile, AskParameterOpenFile;
  std::function<ParameterFileInfo()> ParameterFileInfoNow;

  // Handlers (public so that tests drive them as the events would).
  void Button14Click();
  void Button15Click();
  void Speichern_ButtonClick();
  void Parameterspeichern1Click();
  void Parameterffnen1Click();
  // Saves the settings, with a line still being edited in the SCPI line list; throws
  // IniWriteError.
  void FormClose();
  void StatusTimerTimer();
  void TestOut1Click(int tag, bool checked);
  void Button13Click();
  void ReadEingaengeTimerTimer();
  void SendLine(const QString& line);
  void SCPIInKeyPress();
  void StringGridDblClick();

  std::array<std::string, kScpiLineCount> ScpiLines() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate(const std::string& firstArgument, bool systemIsGerman);
  void SetupMenu();
  void SetupTabs();
  void SetupServiceMode(bool serviceMode);
  void PageControl1Changing();
  void PageControl1Change(int index);
  void BedienungTabSheetShow();
  void TabSheet2Show();
  void TabSheet6Show();
  void CommitScpiLineEdit();

  ScpiSession& session_;
  const HidLink& link_;
  LanguageState& language_;
  SettingsLocation settingsPath_;
  std::unique_ptr<Ui::TMainForm> ui_;
  std::unique_ptr<MainFormPages> pages_;
  QTimer statusTimer_;
  QTimer readEingaengeTimer_;
  ServiceTabSheet* serviceTab_ = nullptr;  // owned by PageControl1
  bool placed_ = false;
};

}  // namespace qel::gui
