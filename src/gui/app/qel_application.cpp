// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/qel_application.h"

#include <QAction>
#include <QMenu>

#include "core/platform/native_path.h"
#include "gui/lang/qt_translations.h"
#include "gui/trend/trend_texts.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::gui {

SettingsLocation SettingsInDataFolder(EnvLookup env) {
  return [env = std::move(env)] { return PathFromUtf8(SettingsFilePath(DataFolderForFiles(env))); };
}

QelApplication::QelApplication(ProgramOptions options, std::unique_ptr<HidBackend> backend,
                               SettingsLocation settingsPath, bool systemIsGerman)
    : options_(std::move(options)),
      backend_(std::move(backend)),
      link_(*backend_),
      session_(link_),
      plugWatch_(link_),
      readSource_(session_, recordClock_) {
  link_.SetReadTimeoutMs(options_.timeoutMs);

  mainForm_ = std::make_unique<TMainForm>(
      MainFormRun{session_, link_, language_, dictionary_, options_.firstArgument},
      std::move(settingsPath), systemIsGerman);
  usbHid_ = std::make_unique<TUSB_HID>(link_);
  scpiTestForm_ = std::make_unique<TSCPI_Test_Form>(session_);
  hardCopyForm_ = std::make_unique<THardCopyForm>(session_);
  probeServiceForm_ = std::make_unique<TSCPI_Probe_Service_Form>(session_);
  internalSettingsForm_ = std::make_unique<TSCPI_Internal_Settings_Form>(session_);
  fehlerform_ = std::make_unique<TFehlerform>(session_);
  // Last: its creation translates every window before it when English is selected.
  const std::vector<QWidget*> formsBefore = {mainForm_.get(),         usbHid_.get(),
                                             scpiTestForm_.get(),     hardCopyForm_.get(),
                                             probeServiceForm_.get(), internalSettingsForm_.get(),
                                             fehlerform_.get()};
  sprachForm_ = std::make_unique<TSprach_Form>(dictionary_, language_, formsBefore);
  qtTranslations_ = InstallQtTranslations(language_.EnglishSelected);

  // Only the main window ends the program when it closes; the others merely hide.
  for (QWidget* w : std::initializer_list<QWidget*>{
           usbHid_.get(), scpiTestForm_.get(), hardCopyForm_.get(), probeServiceForm_.get(),
           internalSettingsForm_.get(), fehlerform_.get(), sprachForm_.get()}) {
    w->setAttribute(Qt::WA_QuitOnClose, false);
  }

  mainForm_->ShowUsbHid = [this] { ShowWindow(*usbHid_); };
  mainForm_->ShowScpiTest = [this] { ShowWindow(*scpiTestForm_); };
  mainForm_->ShowHardcopy = [this] { ShowWindow(*hardCopyForm_); };
  mainForm_->ShowProbe = [this] { ShowWindow(*probeServiceForm_); };
  mainForm_->ShowCalParameter = [this] { ShowWindow(*internalSettingsForm_); };
  mainForm_->SwitchLanguage = [this](bool english) {
    LanguageItemClick(*mainForm_, language_, english, restart_);
  };

  // The live readout reads through the one read source that the trend window shares.
  mainForm_->Form().QEL_Display_Frame1->BindReadSource(readSource_);
  trendMenuItem_ = std::make_unique<QAction>(
      TrendText(QStringLiteral("Messwerte Verlauf"), language_.EnglishSelected));
  trendMenuItem_->setObjectName(QStringLiteral("Verlauf1"));
  mainForm_->Form().Service1->addAction(trendMenuItem_.get());
  QObject::connect(trendMenuItem_.get(), &QAction::triggered,
                   [this] { TrendForm().ShowCentredOn(*mainForm_); });
}

TTrendForm& QelApplication::TrendForm() {
  if (!trendForm_) {
    trendForm_ = std::make_unique<TTrendForm>(
        TrendRun{readSource_, [this] { plugWatch_.ScanNow(); }, language_.EnglishSelected});
    trendForm_->setAttribute(Qt::WA_QuitOnClose, false);
  }
  return *trendForm_;
}

QelApplication::~QelApplication() = default;

std::vector<QWidget*> QelApplication::Forms() const {
  return {mainForm_.get(),     usbHid_.get(),           scpiTestForm_.get(),
          hardCopyForm_.get(), probeServiceForm_.get(), internalSettingsForm_.get(),
          fehlerform_.get(),   sprachForm_.get()};
}

void QelApplication::ShowWindow(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

void QelApplication::ShowMainForm() {
  mainForm_->show();
}

}  // namespace qel::gui
