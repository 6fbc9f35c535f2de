// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/trend/trend_texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <array>
#include <utility>

namespace qel::gui {
namespace {

// German as the window shows it, English.
constexpr std::array<std::pair<const char*, const char*>, 26> kTexts = {{
    {"Messwerte Verlauf", "Reading trend"},
    {"QEL11 Messwerte Verlauf", "QEL11 Reading trend"},
    {" Messung ", " Measurement "},
    {"Start", "Start"},
    {"Stop", "Stop"},
    {"Intervall", "Interval"},
    {" Aufzeichnung ", " Recording "},
    {"Aufzeichnen ...", "Record ..."},
    {"Aufzeichnung beenden", "End recording"},
    {"Keine Aufzeichnung", "No recording"},
    {"%1 Zeilen in %2", "%1 rows in %2"},
    {"Schreibfehler: %1", "Write error: %1"},
    {" Anzeige ", " View "},
    {"Folgen", "Follow"},
    {"Alles zeigen", "Show all"},
    {"Bild speichern ...", "Save image ..."},
    {" Statistik der Anzeige ", " Statistics of the view "},
    {"Anzahl", "Count"},
    {"Mittelwert", "Mean"},
    {"Std.-Abw.", "Std. dev."},
    {"Zeit", "Time"},
    {"Messwerte aufzeichnen", "Record readings"},
    {"Bild speichern", "Save image"},
    {"Alle Dateien", "All files"},
    {"Keine Antwort", "No answer"},
    {"Mausrad: Zeit zoomen, Strg+Mausrad: Werte zoomen, Ziehen oder Pfeiltasten: "
     "verschieben, +/-: zoomen, Pos1: alles zeigen, Ende: folgen",
     "Wheel: zoom time, Ctrl+wheel: zoom values, drag or arrow keys: move, +/-: zoom, "
     "Home: show all, End: follow"},
}};

}  // namespace

QString TrendText(const QString& german, bool english) {
  if (!english) return german;
  for (const auto& [de, en] : kTexts) {
    if (german == QString::fromUtf8(de)) return QString::fromUtf8(en);
  }
  return german;
}

void TranslateTrendWindow(QWidget& window, bool english) {
  if (!english) return;
  window.setWindowTitle(TrendText(window.windowTitle(), english));
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    widget->setToolTip(TrendText(widget->toolTip(), english));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      button->setText(TrendText(button->text(), english));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(TrendText(label->text(), english));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      group->setTitle(TrendText(group->title(), english));
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
      for (int c = 0; c < table->columnCount(); ++c) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(c)) {
          item->setText(TrendText(item->text(), english));
        }
      }
    }
  }
}

}  // namespace qel::gui
