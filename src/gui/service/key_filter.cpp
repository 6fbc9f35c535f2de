// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/service/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "gui/common/edit_filter.h"
#include "gui/common/text_codec.h"

namespace qel::gui {

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !filter_) return QObject::eventFilter(watched, event);
  const QString typed = TypedText(*static_cast<QKeyEvent*>(event));
  if (typed.isEmpty()) return false;  // arrows, Delete, Home, ...: no character typed

  QString entered;
  for (const QChar c : typed) {
    const std::string byte = ToWin1252(QString(c));
    if (byte.size() != 1) continue;
    if (const std::optional<char> kept = filter_(byte[0])) {
      entered += *kept == byte[0] ? c : FromWin1252(std::string(1, *kept)).at(0);
    }
  }
  if (entered == typed) return false;  // the edit field handles it as usual (Backspace too)

  if (auto* edit = qobject_cast<QLineEdit*>(watched); edit != nullptr && !entered.isEmpty()) {
    edit->insert(entered);
  }
  return true;
}

void InstallKeyFilter(QLineEdit* edit, const CharFilter& filter, int maxLength) {
  TypeCharacter type;
  if (filter) {
    edit->installEventFilter(new KeyFilter(filter, edit));
    type = [filter](QString& text, int& caret, QChar typed) {
      const std::string byte = ToWin1252(QString(typed));
      if (byte.size() != 1 || FromWin1252(byte) != QString(typed)) return;
      if (const std::optional<char> kept = filter(byte[0])) {
        text.insert(caret++, FromWin1252(std::string(1, *kept)));
      }
    };
  }
  InstallEditFilter(*edit, std::move(type), maxLength);
}

}  // namespace qel::gui
