#pragma once
// One run of the window program: the backend, the shared objects and the eight windows,
// created in their fixed order (main window, link window, SCPI console, hardcopy, probe
// service, internal settings, error read-out, language window).

#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/platform/app_data_folder.h"
#include "gui/app/QEL11_Setup_HID_Unit.h"
#include "gui/app/app_context.h"
#include "gui/diag/FehlerLesenUnit.h"
#include "gui/diag/SCPI_Test_Unit.h"
#include "gui/lang/Sprach_Unit.h"
#include "gui/lang/language_switch.h"
#include "gui/link/USB_HID_Connect_Unit.h"
#include "gui/service/HardCopyUnit.h"
#include "gui/service/SCPI_Internal_Settings_Unit.h"
#include "gui/service/SCPI_Probe_Service_Unit.h"

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

  AppContext& Context() { return context_; }
  HidBackend& Backend() { return *backend_; }
  TMainForm& MainForm() { return *mainForm_; }
  TUSB_HID& UsbHid() { return *usbHid_; }
  TSCPI_Test_Form& ScpiTestForm() { return *scpiTestForm_; }
  ScpiSession& Session() { return *session_; }
  TSprach_Form& SprachForm() { return *sprachForm_; }
  // The eight windows in creation order.
  std::vector<QWidget*> Forms() const;
  // How a language switch restarts the tool (tests replace the process calls).
  RestartEnvironment& Restart() { return restart_; }

  // Fixes the main window's size to its laid-out contents and centres it on the screen.
  void ShowMainForm();

 private:
  static void ShowWindow(QWidget& window);

  AppContext context_;
  RestartEnvironment restart_ = ProcessRestartEnvironment();
  std::unique_ptr<HidBackend> backend_;
  std::unique_ptr<ScpiSession> session_;
  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TUSB_HID> usbHid_;
  std::unique_ptr<TSCPI_Test_Form> scpiTestForm_;
  std::unique_ptr<THardCopyForm> hardCopyForm_;
  std::unique_ptr<TSCPI_Probe_Service_Form> probeServiceForm_;
  std::unique_ptr<TSCPI_Internal_Settings_Form> internalSettingsForm_;
  std::unique_ptr<TFehlerform> fehlerform_;
  std::unique_ptr<TSprach_Form> sprachForm_;
};

}  // namespace qel::gui
