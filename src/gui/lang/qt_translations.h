// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the buttons and labels of file dialogs and message boxes, the context
// menus of edit fields) in the interface's language. The tool is designed in German, so
// with German selected Qt's German catalogue is loaded; English needs none.

#include <QTranslator>
#include <memory>

namespace qel::gui {

// Installs Qt's German catalogue (Debian package qt6-translations-l10n, in Qt's
// translations folder) for the application's lifetime of the result; nullptr when English
// is selected or the catalogue is not installed, and Qt's texts stay English.
std::unique_ptr<QTranslator> InstallQtTranslations(bool englishSelected);

}  // namespace qel::gui
