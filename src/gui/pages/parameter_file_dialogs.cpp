// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/parameter_file_dialogs.h"

#include <QFileDialog>
#include <QLocale>
#include <QStringList>
#include <ctime>

#include "core/platform/computer_name.h"
#include "gui/common/file_dialogs.h"
#include "gui/common/file_path.h"
#include "gui/common/text_codec.h"

namespace qel::gui {

namespace {

// The time-zone letters of a Qt time format, outside quoted text, removed.
QString WithoutTimeZone(const QString& format) {
  QString result;
  bool quoted = false;
  for (const QChar c : format) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (quoted || c != QLatin1Char('t')) result += c;
  }
  return result.trimmed();
}

}  // namespace

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = FromWin1252(std::string(filter)).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QFileDialog> MakeParameterSaveDialog(QWidget* parent, const QString& folder,
                                                     const QString& proposedName) {
  auto dialog = std::make_unique<QFileDialog>(parent);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setNameFilter(QtFileFilter(kSaveParameterFilter));
  if (!folder.isEmpty()) dialog->setDirectory(folder);
  dialog->selectFile(proposedName);
  return dialog;
}

std::unique_ptr<QFileDialog> MakeParameterOpenDialog(QWidget* parent, const QString& folder) {
  auto dialog = std::make_unique<QFileDialog>(parent);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist would only load every page's defaults.
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilter(QtFileFilter(kOpenParameterFilter));
  if (!folder.isEmpty()) dialog->setDirectory(folder);
  dialog->selectFile(FromFilePath(std::string(kOpenParameterFileName)));
  return dialog;
}

std::function<QString()> ParameterSaveDialog(QWidget* parent) {
  return RememberingDialog([parent](const QString& folder) {
    const QString proposed =
        FromFilePath(ProposedParameterFileName(LocalTm(QDateTime::currentDateTime())));
    return MakeParameterSaveDialog(parent, folder, proposed);
  });
}

std::function<QString()> ParameterOpenDialog(QWidget* parent) {
  return RememberingDialog(
      [parent](const QString& folder) { return MakeParameterOpenDialog(parent, folder); });
}

ParameterFileInfo ParameterFileInfoAt(const QDateTime& localTime) {
  const QLocale locale = QLocale::system();
  // The long time format without the time zone, which a Windows time format never has.
  const QString text =
      locale.toString(localTime.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
      locale.toString(localTime.time(), WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
  return {ToWin1252(text), GetComputerName()};
}

}  // namespace qel::gui
