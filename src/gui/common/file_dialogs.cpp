// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace qel::gui {

std::tm LocalTm(const QDateTime& local) {
  std::tm t{};
  t.tm_year = local.date().year() - 1900;
  t.tm_mon = local.date().month() - 1;
  t.tm_mday = local.date().day();
  t.tm_hour = local.time().hour();
  t.tm_min = local.time().minute();
  t.tm_sec = local.time().second();
  return t;
}

std::function<QString()> RememberingDialog(
    std::function<std::unique_ptr<QFileDialog>(const QString& folder)> make) {
  auto folder = std::make_shared<QString>();
  return [make = std::move(make), folder]() -> QString {
    const std::unique_ptr<QFileDialog> dialog = make(*folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    QString path = dialog->selectedFiles().front();
    *folder = QFileInfo(path).absolutePath();
    return path;
  };
}

}  // namespace qel::gui
