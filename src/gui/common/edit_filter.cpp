// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/edit_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace qel::gui {

namespace {

bool IsControl(QChar c) {
  return c.unicode() < 32 || c.unicode() == 127;
}

class EditFilter : public QValidator {
 public:
  EditFilter(QLineEdit& edit, TypeCharacter type, int maxLength)
      : QValidator(&edit),
        edit_(edit),
        type_(std::move(type)),
        maxLength_(maxLength),
        before_(edit.text()) {
    // The validator runs before textChanged, so this is the text before the edit.
    connect(&edit, &QLineEdit::textChanged, this, [this] { before_ = edit_.text(); });
  }

  State validate(QString& input, int& pos) const override {
    // setText resets the modified flag before Qt validates; an edit by the user sets it.
    if (!edit_.isModified()) return Acceptable;
    Retype(input, pos);
    const bool tooLong = maxLength_ > 0 && input.size() > maxLength_;
    return tooLong && input.size() > before_.size() ? Invalid : Acceptable;
  }

 private:
  // The edit replaced the middle of the text before it by `inserted`: everything but the
  // common start and end.
  void Retype(QString& input, int& pos) const {
    const qsizetype shorter = std::min(input.size(), before_.size());
    qsizetype head = 0;
    while (head < shorter && input[head] == before_[head]) ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           input[input.size() - 1 - tail] == before_[before_.size() - 1 - tail]) {
      ++tail;
    }
    const QString inserted = input.mid(head, input.size() - head - tail);
    if (inserted.isEmpty()) return;

    QString text = input.left(head) + input.right(tail);
    int caret = static_cast<int>(head);
    for (const QChar c : inserted) {
      if (IsControl(c)) continue;
      if (type_) {
        type_(text, caret, c);
      } else {
        text.insert(caret++, c);
      }
    }
    if (text == input) return;
    input = text;
    pos = caret;
  }

  QLineEdit& edit_;
  TypeCharacter type_;
  int maxLength_;
  QString before_;
};

}  // namespace

void InstallEditFilter(QLineEdit& edit, TypeCharacter type, int maxLength) {
  edit.setValidator(new EditFilter(edit, std::move(type), maxLength));
}

QString TypedText(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) &&
      key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z) {
    return QString(QChar(key.key() - Qt::Key_A + 1));
  }
  return key.text();
}

}  // namespace qel::gui
