// SPDX-License-Identifier: GPL-3.0-or-later
// qel11-config: the QEL11 configuration tool's window program.

#include <QApplication>
#include <QIcon>
#include <clocale>
#include <iostream>
#include <optional>

#include "core/lang/windows_language.h"
#include "core/link/device_selection.h"
#include "gui/app/qel_application.h"
#include "sim/sim_backend.h"

namespace {

// Answers --help and --version with their exit status; nullopt when neither was asked for.
std::optional<int> AnswerHelpOrVersion(const qel::gui::ProgramOptions& options) {
  if (options.help) {
    std::cout << "Usage: qel11-config [--device DEV | --simulate] [--timeout MS] [SERVICECODE]\n"
                 "The window program of the QEL11 configuration tool.\n"
                 "\n"
                 "Options:\n"
                 "  --device DEV   auto (default) | sim | tcp:HOST:PORT | a HID path\n"
                 "  --simulate     the built-in virtual instrument (same as --device sim)\n"
                 "  --timeout MS   read time limit per report (default 1000)\n"
                 "  --help         print this help and exit\n"
                 "  --version      print the program's version and exit\n"
                 "Qt's own options (-platform, -style, ...) are accepted as well.\n";
    return 0;
  }
  if (options.version) {
    std::cout << "qel11-config " << QEL_VERSION << "\n";
    return 0;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // --help and --version are answered before QApplication exists: without a display it
  // would end the program first. Qt's own options are still in argv here, so a command
  // line that does not parse yet is judged again once Qt has taken them out.
  {
    std::string ignored;
    const auto early =
        qel::gui::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc), ignored);
    if (early) {
      if (auto status = AnswerHelpOrVersion(*early)) return *status;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(qel::gui::kApplicationTitle);
  // The desktop entry and icon that are installed with the tool.
  QGuiApplication::setDesktopFileName("qel11-config");
  QApplication::setWindowIcon(QIcon::fromTheme("qel11-config"));
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
  if (auto status = AnswerHelpOrVersion(*options)) return *status;
  qel::DeviceOption device;
  if (auto parsed = qel::ParseDeviceOption(options->device, error)) {
    device = *parsed;
  } else {
    std::cerr << "qel11-config: " << error << "\n";
    return 2;
  }
  auto backend = qel::MakeBackend(device, [] { return std::make_unique<qel::sim::SimBackend>(); });

  const bool systemIsGerman = qel::LanguageCountsAsGerman(qel::DetectWindowsLanguage());
  qel::gui::QelApplication tool(*options, std::move(backend), qel::gui::SettingsInDataFolder(),
                                systemIsGerman);
  tool.ShowMainForm();
  return QApplication::exec();
}
