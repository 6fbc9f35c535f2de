// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend window's texts: designed in German like every window, and put into English by
// a table of the window's own when English is chosen. The built-in dictionary is left as
// it is; the window and its menu item are not part of its walk.

#include <QString>

class QWidget;

namespace qel::gui {

// The English text of a German text of the trend window; `german` itself when English is
// not chosen or the table does not hold it.
QString TrendText(const QString& german, bool english);
// Every caption, title, tooltip and header text of `window` and what it holds, through
// TrendText.
void TranslateTrendWindow(QWidget& window, bool english);

}  // namespace qel::gui
