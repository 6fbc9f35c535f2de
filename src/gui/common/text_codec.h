// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The GUI's edge between QString and the core's Windows-1252 bytes, shared by every window.

#include <QString>
#include <string>

#include "core/text/win1252.h"

namespace qel::gui {

inline QString FromWin1252(const std::string& text) {
  return QString::fromStdString(Win1252ToUtf8(text));
}

inline std::string ToWin1252(const QString& text) {
  return Utf8ToWin1252(text.toStdString());
}

}  // namespace qel::gui
