// SPDX-License-Identifier: GPL-3.0-or-later
// e2e_gui_probe: the window program's objects (QelApplication, all eight windows) over the
// hidapi backend, for the end-to-end suite. It runs the event loop, so the link window's
// first scan, plug monitor and rescan timer work as in qel11-config, and prints one line
// whenever the main window's Connected flag changes:
//   connected=0 | connected=1 idn=<reply to *IDN?>
// then "end" after --seconds. Run it with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <memory>
#include <string>

#include "core/link/hidapi_backend.h"
#include "gui/app/qel_application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  int seconds = 10;
  std::string settingsPath = "/tmp/e2e_gui_probe.ini";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    if (key == "--seconds") seconds = std::stoi(argv[i + 1]);
    if (key == "--settings") settingsPath = argv[i + 1];
  }

  qel::gui::QelApplication tool(
      qel::gui::ProgramOptions{}, std::make_unique<qel::HidapiBackend>(),
      [settingsPath] { return settingsPath; }, true);
  tool.ShowMainForm();

  int shown = -1;
  QTimer watch;
  watch.setInterval(100);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const int connected = tool.Link().Connected() ? 1 : 0;
    if (connected == shown) return;
    shown = connected;
    std::string line = "connected=" + std::to_string(connected);
    if (connected == 1) line += " idn=" + tool.Session().ScpiQuery("*IDN?");
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  });
  watch.start();
  QTimer::singleShot(seconds * 1000, [] {
    std::printf("end\n");
    std::fflush(stdout);
    QApplication::quit();
  });
  return QApplication::exec();
}
