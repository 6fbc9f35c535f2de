// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Failed expectations show a QString as its text, not as its UTF-16 units.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
