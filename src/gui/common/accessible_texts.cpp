// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/accessible_texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QList>
#include <QWidget>

namespace qel::gui {

namespace {

QString GroupTitleOf(const QWidget& widget) {
  for (const QWidget* w = widget.parentWidget(); w != nullptr && !w->isWindow();
       w = w->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
      QString title = group->title().trimmed();
      if (!title.isEmpty()) return title;
    }
  }
  return {};
}

}  // namespace

void DescribeButtonsWithEqualCaptions(QWidget& window) {
  QHash<QString, QList<QAbstractButton*>> byCaption;
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    const QString caption = button->text().remove(QLatin1Char('&')).trimmed();
    if (!caption.isEmpty()) byCaption[caption].append(button);
  }
  for (const QList<QAbstractButton*>& buttons : std::as_const(byCaption)) {
    if (buttons.size() < 2) continue;
    for (QAbstractButton* button : buttons) {
      if (button->accessibleDescription().isEmpty()) {
        button->setAccessibleDescription(GroupTitleOf(*button));
      }
    }
  }
}

}  // namespace qel::gui
