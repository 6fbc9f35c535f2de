#include "gui/pages/page_controls.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QValidator>
#include <string>

#include "core/pages/page_helpers.h"
#include "gui/common/text_codec.h"

namespace qel::gui {

namespace {

bool MovesFocus(const QKeyEvent& key) {
  return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

class ChoiceBoxKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<const QKeyEvent*>(event);
      if (!key->text().isEmpty() && !MovesFocus(*key)) return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

class NumericEditKeyFilter : public QObject {
 public:
  explicit NumericEditKeyFilter(QLineEdit& edit) : QObject(&edit), edit_(edit) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &edit_ || event->type() != QEvent::KeyPress) {
      return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const QString typed = key->text();
    // Keys that type no printable character (cursor keys, Delete, Backspace, Ctrl+C, ...)
    // are the field's own business.
    if (typed.isEmpty() || !typed.front().isPrint() || MovesFocus(*key)) return false;
    const std::string character = ToWin1252(typed);
    if (character.size() != 1) return true;

    const KeyFilterResult result =
        NumericKeyFilter(ToWin1252(edit_.text()), edit_.cursorPosition(), character.front());
    switch (result.action) {
      case KeyFilterResult::Action::Pass:
        if (result.ch == character.front()) return false;
        // "," becomes ".": the field takes the other character as if typed.
        edit_.insert(FromWin1252(std::string(1, result.ch)));
        return true;
      case KeyFilterResult::Action::SetText:
        edit_.setText(FromWin1252(result.text));
        edit_.setCursorPosition(result.caret);
        return true;
      case KeyFilterResult::Action::Swallow:
        break;
    }
    return true;
  }

 private:
  QLineEdit& edit_;
};

// QLineEdit's text() has already changed when a validator runs, so the length before the
// edit is kept from the last change.
class TypingLimitValidator : public QValidator {
 public:
  TypingLimitValidator(QLineEdit& edit, int maxLength)
      : QValidator(&edit), maxLength_(maxLength), lengthBefore_(edit.text().size()) {
    connect(&edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { lengthBefore_ = text.size(); });
  }

  State validate(QString& input, int& /*pos*/) const override {
    return input.size() <= maxLength_ || input.size() < lengthBefore_ ? Acceptable : Invalid;
  }

 private:
  int maxLength_;
  qsizetype lengthBefore_;
};

}  // namespace

QString ShownText(std::string_view text) {
  return FromWin1252(std::string(text));
}

void FillChoiceBox(QComboBox& box, std::span<const std::string_view> items) {
  const QSignalBlocker blocker(box);
  box.clear();
  for (const std::string_view item : items) box.addItem(ShownText(item));
}

void ReplaceChoiceItems(QComboBox& box, std::span<const std::string_view> items) {
  const QSignalBlocker blocker(box);
  const int count = std::min(box.count(), static_cast<int>(items.size()));
  for (int i = 0; i < count; ++i) box.setItemText(i, ShownText(items[i]));
}

void ShowChoice(QComboBox& box, const ChoiceSetting& setting) {
  const QSignalBlocker blocker(box);
  box.setCurrentIndex(setting.Index());
}

void TakeChoice(const QComboBox& box, ChoiceSetting& setting) {
  setting.SetIndex(box.currentIndex());
}

void InstallChoiceBoxKeyFilter(QComboBox& box) {
  box.installEventFilter(new ChoiceBoxKeyFilter(&box));
}

void InstallNumericKeyFilter(QLineEdit& edit, int maxLength) {
  edit.installEventFilter(new NumericEditKeyFilter(edit));
  SetTypingLimit(edit, maxLength);
}

void SetTypingLimit(QLineEdit& edit, int maxLength) {
  edit.setValidator(new TypingLimitValidator(edit, maxLength));
}

QFont MonospacedFont(bool bold, int pointSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setBold(bold);
  if (pointSize > 0) font.setPointSize(pointSize);
  return font;
}

}  // namespace qel::gui
