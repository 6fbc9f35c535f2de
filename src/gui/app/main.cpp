// qel11-config: the QEL11 configuration tool's window program.

#include <QApplication>
#include <clocale>
#include <iostream>

#include "core/link/device_selection.h"
#include "core/platform/app_data_folder.h"
#include "gui/app/qel_application.h"
#include "sim/sim_backend.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(qel::gui::kApplicationTitle);
  // Numbers exchanged with the instrument always use "."; the locale only decides what
  // the live readout shows, which Qt's locale supplies.
  std::setlocale(LC_NUMERIC, "C");

  std::vector<std::string> args;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  std::string error;
  auto options = qel::gui::ParseProgramOptions(args, error);
  if (!options) {
    std::cerr << "qel11-config: " << error << "\n";
    return 2;
  }
  if (options->help) {
    std::cout << "Usage: qel11-config [--device DEV | --simulate] [--timeout MS] [SERVICECODE]\n"
                 "  --device DEV   auto (default) | sim | tcp:HOST:PORT | a HID path\n"
                 "  --simulate     the built-in virtual instrument (same as --device sim)\n"
                 "  --timeout MS   read time limit per report (default 1000)\n";
    return 0;
  }
  qel::DeviceOption device;
  if (auto parsed = qel::ParseDeviceOption(options->device, error)) {
    device = *parsed;
  } else {
    std::cerr << "qel11-config: " << error << "\n";
    return 2;
  }
  auto backend = qel::MakeBackend(device, [] { return std::make_unique<qel::sim::SimBackend>(); });

  const std::string settingsPath = qel::SettingsFilePath(qel::GetAppDataFolder());
  const bool systemIsGerman = true;
  qel::gui::QelApplication tool(*options, std::move(backend), settingsPath, systemIsGerman);
  tool.ShowMainForm();
  return QApplication::exec();
}
