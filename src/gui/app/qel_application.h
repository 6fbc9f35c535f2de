// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (program start).
// One run of the window program. The application object creates the link to the
// instrument, its SCPI session and the watch that drives device scans before any window,
// and owns them for the whole run; then it creates the eight windows in their fixed order
// (main window, link window, SCPI console, hardcopy, probe service, internal settings,
// error read-out, language window), each given what it uses. The link window and the
// console attach their log displays to the link and the session while they exist.

#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "core/link/hid_backend.h"
#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "core/platform/app_data_folder.h"
#include "core/record/live_read_source.h"
#include "gui/app/QEL11_Setup_HID_Unit.h"
#include "gui/app/language_switch.h"
#include "gui/app/plug_watch.h"
#include "gui/app/program_options.h"
#include "gui/diag/FehlerLesenUnit.h"
#include "gui/diag/SCPI_Test_Unit.h"
#include "gui/lang/Sprach_Unit.h"
#include "gui/link/USB_HID_Connect_Unit.h"
#include "gui/service/HardCopyUnit.h"
#include "gui/service/SCPI_Internal_Settings_Unit.h"
#include "gui/service/SCPI_Probe_Service_Unit.h"
#include "gui/trend/TrendForm.h"

class QAction;

namespace qel::gui {

inline constexpr const char* kApplicationTitle = "QEL11ConfigTool";

// The settings file in the data folder of this environment, looked up (and made) anew at
// every call, so the settings saved at close find a folder that went missing meanwhile.
SettingsLocation SettingsInDataFolder(EnvLookup env = ProcessEnv);

class QelApplication {
 public:
  QelApplication(ProgramOptions options, std::unique_ptr<HidBackend> backend,
                 SettingsLocation settingsPath, bool systemIsGerman);
  ~QelApplication();

  HidBackend& Backend() { return *backend_; }
  HidLink& Link() { return link_; }
  ScpiSession& Session() { return session_; }
  // EnglishSelected, TranslationActive and the dictionary loaded when English is selected.
  const LanguageState& Language() const { return language_; }
  const qel::Dictionary& Dictionary() const { return dictionary_; }

  TMainForm& MainForm() { return *mainForm_; }
  TUSB_HID& UsbHid() { return *usbHid_; }
  TSCPI_Test_Form& ScpiTestForm() { return *scpiTestForm_; }
  TSprach_Form& SprachForm() { return *sprachForm_; }
  // The one source of live reads that the live readout and the trend window share.
  LiveReadSource& ReadSource() { return readSource_; }
  // The trend window, made when first asked for; its menu item "Messwerte Verlauf" in
  // "Service" (beside "SCPI Test", shown in every mode).
  TTrendForm& TrendForm();
  QAction& TrendMenuItem() { return *trendMenuItem_; }
  // The eight windows in creation order.
  std::vector<QWidget*> Forms() const;
  // How a language switch restarts the tool (tests replace the process calls).
  RestartEnvironment& Restart() { return restart_; }

  // One device scan now, as a plug notice runs it.
  void ScanNow() { plugWatch_.ScanNow(); }
  // Shows the main window; its first showing fixes its size and centres it on the screen.
  void ShowMainForm();

 private:
  static void ShowWindow(QWidget& window);

  ProgramOptions options_;
  LanguageState language_;
  qel::Dictionary dictionary_;
  RestartEnvironment restart_ = ProcessRestartEnvironment();
  std::unique_ptr<HidBackend> backend_;
  HidLink link_;
  ScpiSession session_;
  PlugWatch plugWatch_;
  SystemRecordClock recordClock_;
  LiveReadSource readSource_;
  // The windows go before the objects they were given.
  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TUSB_HID> usbHid_;
  std::unique_ptr<TSCPI_Test_Form> scpiTestForm_;
  std::unique_ptr<THardCopyForm> hardCopyForm_;
  std::unique_ptr<TSCPI_Probe_Service_Form> probeServiceForm_;
  std::unique_ptr<TSCPI_Internal_Settings_Form> internalSettingsForm_;
  std::unique_ptr<TFehlerform> fehlerform_;
  std::unique_ptr<TSprach_Form> sprachForm_;
  // Qt's own texts in German when German is selected.
  std::unique_ptr<QTranslator> qtTranslations_;
  // Not in the menu's ownership tree: the item translates itself, outside the dictionary's
  // walk.
  std::unique_ptr<QAction> trendMenuItem_;
  std::unique_ptr<TTrendForm> trendForm_;
};

}  // namespace qel::gui
