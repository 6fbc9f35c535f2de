#include "gui/app/qel_application.h"

#include <QGuiApplication>
#include <QScreen>

namespace qel::gui {

SettingsLocation SettingsInDataFolder(EnvLookup env) {
  return [env = std::move(env)] {
    return std::filesystem::path(SettingsFilePath(DataFolderForFiles(env)));
  };
}

QelApplication::QelApplication(ProgramOptions options, std::unique_ptr<HidBackend> backend,
                               SettingsLocation settingsPath, bool systemIsGerman)
    : backend_(std::move(backend)) {
  context_.options = std::move(options);

  mainForm_ = std::make_unique<TMainForm>(context_, std::move(settingsPath), systemIsGerman);
  usbHid_ = std::make_unique<TUSB_HID>(*backend_, context_.options.timeoutMs);
  context_.link = &usbHid_->Link();
  scpiTestForm_ = std::make_unique<TSCPI_Test_Form>(context_);
  session_ = std::make_unique<ScpiSession>(usbHid_->Link(), &scpiTestForm_->ProtocolLogView());
  context_.session = session_.get();
  hardCopyForm_ = std::make_unique<THardCopyForm>(context_);
  probeServiceForm_ = std::make_unique<TSCPI_Probe_Service_Form>(context_);
  internalSettingsForm_ = std::make_unique<TSCPI_Internal_Settings_Form>(context_);
  fehlerform_ = std::make_unique<TFehlerform>(context_);
  // Last: its creation translates every window before it when English is selected.
  const std::vector<QWidget*> formsBefore = {mainForm_.get(),         usbHid_.get(),
                                             scpiTestForm_.get(),     hardCopyForm_.get(),
                                             probeServiceForm_.get(), internalSettingsForm_.get(),
                                             fehlerform_.get()};
  sprachForm_ = std::make_unique<TSprach_Form>(context_, formsBefore);

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
    LanguageItemClick(*mainForm_, context_.language, english, restart_);
  };
}

std::vector<QWidget*> QelApplication::Forms() const {
  return {mainForm_.get(),     usbHid_.get(),           scpiTestForm_.get(),
          hardCopyForm_.get(), probeServiceForm_.get(), internalSettingsForm_.get(),
          fehlerform_.get(),   sprachForm_.get()};
}

QelApplication::~QelApplication() {
  // The session refers to the console's log and the link window's link: it goes first.
  context_.session = nullptr;
  context_.link = nullptr;
  session_.reset();
}

void QelApplication::ShowWindow(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

void QelApplication::ShowMainForm() {
  mainForm_->adjustSize();
  mainForm_->setFixedSize(mainForm_->sizeHint());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    mainForm_->move(area.center() - QPoint(mainForm_->width() / 2, mainForm_->height() / 2));
  }
  mainForm_->show();
}

}  // namespace qel::gui
