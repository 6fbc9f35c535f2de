// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/lang/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace qel::gui {

std::unique_ptr<QTranslator> InstallQtTranslations(bool englishSelected) {
  if (englishSelected) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  // "qtbase" holds the texts of Qt's widgets and dialogs.
  if (!translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator.get())) {
    return nullptr;
  }
  return translator;
}

}  // namespace qel::gui
