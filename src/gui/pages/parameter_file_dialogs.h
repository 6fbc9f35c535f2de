// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (Parameterspeichern1Click, Parameterffnen1Click).
// The dialogs of "Parameter speichern" and "Parameter öffnen": the proposed name, the
// filters, and the folder and name they remember between uses. The open dialog takes only
// files that exist; the save dialog does not ask before replacing a file.

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>

#include "core/pages/parameter_file.h"

class QFileDialog;
class QWidget;

namespace qel::gui {

// "A|*.X|B|*.*" as Qt writes filters: "A (*.X);;B (*.*)".
QString QtFileFilter(std::string_view filter);

// The dialogs as they are shown, for a proposed name and the folder to start in.
std::unique_ptr<QFileDialog> MakeParameterSaveDialog(QWidget* parent, const QString& folder,
                                                     const QString& proposedName);
std::unique_ptr<QFileDialog> MakeParameterOpenDialog(QWidget* parent, const QString& folder);

// Functions that show the dialog and return the chosen path, or empty text when the user
// cancels. Each remembers the folder of its last chosen file.
std::function<QString()> ParameterSaveDialog(QWidget* parent);
std::function<QString()> ParameterOpenDialog(QWidget* parent);

// "Save at" in the user's short date and long time formats, and this computer's name.
ParameterFileInfo ParameterFileInfoAt(const QDateTime& localTime);

}  // namespace qel::gui
