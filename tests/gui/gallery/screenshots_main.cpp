// SPDX-License-Identifier: GPL-3.0-or-later
// qel11-gallery: a PNG of every window and every tab of the main window, in German and in
// English, in service mode over the built-in virtual instrument, each filled by a read.
// For looking at the windows as a user sees them (cut texts, overlaps, the translation);
// `cmake --build BUILD --target screenshots` writes them into BUILD/screenshots.
//   qel11-gallery FOLDER

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>

#include "core/platform/settings_file.h"
#include "gui/app/qel_application.h"
#include "gui/diag/QEL_Info_Frame_Unit.h"
#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "sim/sim_backend.h"
#include "ui_QEL11_Setup_HID_Unit.h"
#include "ui_QEL_Display_Frame_Unit.h"
#include "ui_QEL_Info_Frame_Unit.h"
#include "ui_SCPI_FehlerLesen_Frame_Unit.h"

namespace {

// Clicks the button `name` inside `window`, when there is one.
void Press(QWidget& window, const char* name) {
  if (auto* button = window.findChild<QPushButton*>(name)) button->click();
}

bool Save(QWidget& window, const QDir& folder, const QString& name, int& saved) {
  QApplication::processEvents();
  const QString path = folder.filePath(name + ".png");
  if (!window.grab().save(path)) {
    std::cerr << "qel11-gallery: cannot write " << path.toStdString() << "\n";
    return false;
  }
  ++saved;
  return true;
}

bool Gallery(bool english, const QDir& folder, int& saved) {
  QTemporaryDir settings;
  const std::filesystem::path settingsPath = settings.filePath("QEL_HID_SETUP.ini").toStdString();
  qel::WriteMainSettings(settingsPath, {}, english);
  qel::gui::ProgramOptions options;
  options.device = "sim";
  options.firstArgument = qel::gui::kServiceCode;
  qel::gui::QelApplication tool(
      options, std::make_unique<qel::sim::SimBackend>(), [settingsPath] { return settingsPath; },
      true);
  tool.ScanNow();
  const QString language = english ? "en" : "de";

  qel::gui::TMainForm& main = tool.MainForm();
  tool.ShowMainForm();
  if (!QTest::qWaitForWindowExposed(&main)) return false;
  main.StatusTimerTimer();
  main.Form().Button14->click();  // "Werte aus Gerät lesen "
  main.Form().QEL_Display_Frame1->Form().ReadButton->click();
  main.Form().Info_Frame1->Form().Read->click();
  main.Form().SCPI_Fehler_Frame1->Form().Button1->click();
  QTabWidget& tabs = *main.Form().PageControl1;
  for (int tab = 0; tab < tabs.count(); ++tab) {
    tabs.setCurrentIndex(tab);
    const QString name = QString("%1-1-MainForm-%2-%3")
                             .arg(language)
                             .arg(tab + 1)
                             .arg(tabs.widget(tab)->objectName());
    if (!Save(main, folder, name, saved)) return false;
  }

  const std::vector<QWidget*> forms = tool.Forms();
  for (std::size_t i = 1; i < forms.size(); ++i) {
    QWidget& window = *forms[i];
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return false;
    for (const char* button : {"GetHardcopy", "Read", "EEProm_Lesen", "WerteLesen"}) {
      Press(window, button);
    }
    const QString name = QString("%1-%2-%3").arg(language).arg(i + 1).arg(window.objectName());
    if (!Save(window, folder, name, saved)) return false;
    window.hide();
  }
  tool.TrendMenuItem().trigger();  // the trend window, made at its menu item's first use
  QWidget& trend = tool.TrendForm();
  if (!QTest::qWaitForWindowExposed(&trend)) return false;
  Press(trend, "StartButton");
  QTest::qWait(3000);  // a few live readings on the chart
  const QString name =
      QString("%1-%2-%3").arg(language).arg(forms.size() + 1).arg(trend.objectName());
  if (!Save(trend, folder, name, saved)) return false;
  trend.hide();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: qel11-gallery FOLDER\n";
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(".")) {
    std::cerr << "qel11-gallery: cannot make " << argv[1] << "\n";
    return 2;
  }
  int saved = 0;
  for (const bool english : {false, true}) {
    if (!Gallery(english, folder, saved)) return 1;
  }
  std::cout << saved << " screenshots in " << folder.absolutePath().toStdString() << "\n";
  return 0;
}
