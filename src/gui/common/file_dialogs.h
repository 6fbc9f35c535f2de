// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows' file dialogs share: the local time as the core's file-name proposals
// take it, and a dialog function that remembers the folder of its last chosen file.

#include <QDateTime>
#include <QString>
#include <ctime>
#include <functional>
#include <memory>

class QFileDialog;

namespace qel::gui {

// Date and time of `local` (to the second) as a std::tm.
std::tm LocalTm(const QDateTime& local);

// A function that shows the dialog `make` builds for the remembered folder (empty at
// first) and returns the chosen path, or empty text when the user cancels; the folder of
// each chosen file is remembered by all copies of the function.
std::function<QString()> RememberingDialog(
    std::function<std::unique_ptr<QFileDialog>(const QString& folder)> make);

}  // namespace qel::gui
