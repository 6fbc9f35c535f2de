// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/page_controls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <string>

#include "core/pages/page_helpers.h"
#include "gui/common/edit_filter.h"
#include "gui/common/text_codec.h"

namespace qel::gui {

namespace {

bool MovesFocus(const QKeyEvent& key) {
  return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

// The keys that close a choice box's open list (Enter chooses, Escape cancels) type a
// control character too, but are no typing.
bool ClosesList(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}

// On the box every typed character is swallowed; on its open list every one but the keys
// that close it, so that typing can no more pick an item there (a list view chooses the
// item that starts with a typed letter).
class ChoiceBoxKeyFilter : public QObject {
 public:
  ChoiceBoxKeyFilter(QObject* parent, bool onList) : QObject(parent), onList_(onList) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<const QKeyEvent*>(event);
      if (!key->text().isEmpty() && !MovesFocus(*key) && !(onList_ && ClosesList(*key))) {
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool onList_;
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
    const QString typed = TypedText(*key);
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

// A character typed into a limit field as the numeric key filter takes it; the edit filter
// types pasted and dropped text through this.
void TypeNumeric(QString& text, int& caret, QChar typed) {
  const std::string character = ToWin1252(QString(typed));
  if (character.size() != 1 || FromWin1252(character) != QString(typed)) return;
  const KeyFilterResult result = NumericKeyFilter(ToWin1252(text), caret, character.front());
  switch (result.action) {
    case KeyFilterResult::Action::Pass:
      text.insert(caret++, FromWin1252(std::string(1, result.ch)));
      break;
    case KeyFilterResult::Action::SetText:
      text = FromWin1252(result.text);
      caret = result.caret;
      break;
    case KeyFilterResult::Action::Swallow:
      break;
  }
}

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
  box.installEventFilter(new ChoiceBoxKeyFilter(&box, false));
  // Installed after the list's own filter, so it runs before it.
  box.view()->installEventFilter(new ChoiceBoxKeyFilter(&box, true));
}

void InstallNumericKeyFilter(QLineEdit& edit, int maxLength) {
  edit.installEventFilter(new NumericEditKeyFilter(edit));
  InstallEditFilter(edit, TypeNumeric, maxLength);
}

void SetTypingLimit(QLineEdit& edit, int maxLength) {
  InstallEditFilter(edit, {}, maxLength);
}

QFont MonospacedFont(bool bold, int pointSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setBold(bold);
  if (pointSize > 0) font.setPointSize(pointSize);
  return font;
}

}  // namespace qel::gui
