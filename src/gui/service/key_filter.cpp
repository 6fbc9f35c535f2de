#include "gui/service/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "gui/common/text_codec.h"

namespace qel::gui {

namespace {

// Undoes a user's edit (typing, pasting, dropping) that leaves the text longer than the
// limit and longer than it was. textEdited comes for the user's edits only and before
// textChanged, so the text kept from the last textChanged is the one before the edit.
class TypingLimit : public QObject {
 public:
  TypingLimit(QLineEdit* edit, int maxLength)
      : QObject(edit), edit_(edit), maxLength_(maxLength), before_(edit->text()) {
    connect(edit, &QLineEdit::textEdited, this, &TypingLimit::Edited);
    // The edit field's own text, not the signal's: after an undone edit the signal still
    // carries the refused text.
    connect(edit, &QLineEdit::textChanged, this, [this] { before_ = edit_->text(); });
  }

 private:
  void Edited(const QString& text) {
    if (text.size() <= maxLength_ || text.size() <= before_.size()) return;
    const int cursor = edit_->cursorPosition() - static_cast<int>(text.size() - before_.size());
    edit_->setText(before_);
    edit_->setCursorPosition(std::max(cursor, 0));
  }

  QLineEdit* edit_;
  int maxLength_;
  QString before_;
};

}  // namespace

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !filter_) return QObject::eventFilter(watched, event);
  const QString typed = static_cast<QKeyEvent*>(event)->text();
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

void InstallKeyFilter(QLineEdit* edit, CharFilter filter, int maxLength) {
  if (filter) edit->installEventFilter(new KeyFilter(std::move(filter), edit));
  if (maxLength > 0) new TypingLimit(edit, maxLength);
}

void InstallKeyFilter(QWidget* widget, CharFilter filter) {
  widget->installEventFilter(new KeyFilter(std::move(filter), widget));
}

}  // namespace qel::gui
