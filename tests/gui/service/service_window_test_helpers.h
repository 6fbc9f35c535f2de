// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the service window tests: the status label as the user sees it.

#include <QLabel>
#include <QPalette>
#include <string>

namespace qel::testing {

inline const QColor kYellow(255, 255, 0);
inline const QColor kGreen(0, 255, 0);
inline const QColor kRed(255, 0, 0);

struct ShownStatus {
  QString text;
  QColor colour;
  bool operator==(const ShownStatus&) const = default;
};

inline ShownStatus Status(const QLabel& label) {
  return {label.text(),
          label.autoFillBackground() ? label.palette().color(QPalette::Window) : QColor()};
}

inline void PrintTo(const ShownStatus& s, std::ostream* os) {
  *os << '"' << s.text.toStdString() << "\" on " << s.colour.name().toStdString();
}

}  // namespace qel::testing
