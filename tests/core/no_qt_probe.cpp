// SPDX-License-Identifier: GPL-3.0-or-later
// Built only by the core_has_no_qt test, which expects this to fail to compile on the
// missing Qt header: the core library must not be able to reach Qt.
#include <QtCore/QString>

QString probe() {
  return QString();
}
