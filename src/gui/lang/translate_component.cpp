// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/lang/translate_component.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>

#include "core/lang/translate_text.h"
#include "gui/common/text_codec.h"

namespace qel::gui {

namespace {

// Windows in the sense of the window row: not the pop-ups Qt also makes top-level
// (menus, a combo box's list, tool tips).
bool IsFormWindow(const QWidget& widget) {
  if (!widget.isWindow()) return false;
  const Qt::WindowType type = widget.windowType();
  return type != Qt::Popup && type != Qt::ToolTip;
}

// The editor inside a combo box or spin box: its owner shows its texts.
bool IsInnerEditor(const QLineEdit& edit) {
  const QObject* owner = edit.parent();
  return qobject_cast<const QComboBox*>(owner) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(owner) != nullptr;
}

// Kinds whose children are the toolkit's own parts (viewports, scroll bars, headers, a
// combo box's list, a tab bar's scroll buttons): the walk stops there. Grids and logs are
// never translated at all.
bool IsClosedToWalk(const QObject& object) {
  return qobject_cast<const QAbstractItemView*>(&object) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(&object) != nullptr ||
         qobject_cast<const QTextEdit*>(&object) != nullptr ||
         qobject_cast<const QComboBox*>(&object) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(&object) != nullptr ||
         qobject_cast<const QTabBar*>(&object) != nullptr;
}

}  // namespace

QString TranslateQString(const Dictionary& dictionary, const QString& text) {
  if (text.size() < 2) return text;
  const std::string bytes = ToWin1252(text);
  if (FromWin1252(bytes) != text) return text;
  const std::string english = TranslateText(dictionary, bytes);
  return english == bytes ? text : FromWin1252(english);
}

QString TranslateIfActive(const Dictionary& dictionary, const LanguageState& state,
                          const QString& text) {
  if (!state.TranslationActive) return text;
  return TranslateQString(dictionary, text);
}

QString ComponentTranslator::Tr(const QString& text) {
  return TranslateQString(dictionary_, text);
}

void ComponentTranslator::TranslateComponent(QObject& component) {
  QObject* target = &component;
  // A menu's title and tip belong to its menu action, the item that opens it.
  if (auto* menu = qobject_cast<QMenu*>(&component)) target = menu->menuAction();
  if (translated_.contains(target)) return;
  translated_.insert(target);

  if (auto* action = qobject_cast<QAction*>(target)) {
    TranslateAction(*action);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    TranslateWidget(*widget);
  }
}

// Qt derives an action's tip and tool bar text from its text unless they were set on
// their own. A derived one has followed the new text already and must not be looked up
// again; one that was set stays put when the text changes and is translated by itself.
void ComponentTranslator::TranslateAction(QAction& action) {
  const QString text = action.text();
  const QString tip = action.toolTip();
  const QString iconText = action.iconText();
  const QString english = Tr(text);
  const bool textChanged = english != text;
  if (textChanged) action.setText(english);
  if (!textChanged || action.toolTip() == tip) {
    const QString englishTip = Tr(tip);
    if (englishTip != tip) action.setToolTip(englishTip);
  }
  if (!textChanged || action.iconText() == iconText) {
    const QString englishIconText = Tr(iconText);
    if (englishIconText != iconText) action.setIconText(englishIconText);
  }
}

void ComponentTranslator::TranslateWidget(QWidget& widget) {
  const auto apply = [this](const QString& before, const auto& set) {
    const QString after = Tr(before);
    if (after != before) set(after);
  };
  const auto tip = [&] {
    apply(widget.toolTip(), [&](const QString& t) { widget.setToolTip(t); });
  };

  if (IsFormWindow(widget)) {
    apply(widget.windowTitle(), [&](const QString& t) { widget.setWindowTitle(t); });
    tip();
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    const auto* toolButton = qobject_cast<QToolButton*>(button);
    if (toolButton != nullptr && toolButton->defaultAction() != nullptr) return;
    apply(button->text(), [&](const QString& t) { button->setText(t); });
    tip();
  } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
    apply(group->title(), [&](const QString& t) { group->setTitle(t); });
    tip();
  } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
    apply(label->text(), [&](const QString& t) { label->setText(t); });
    tip();
  } else if (auto* toolBar = qobject_cast<QToolBar*>(&widget)) {
    apply(toolBar->windowTitle(), [&](const QString& t) { toolBar->setWindowTitle(t); });
    tip();
  } else if (auto* tabBar = qobject_cast<QTabBar*>(&widget)) {
    for (int i = 0; i < tabBar->count(); ++i) {
      apply(tabBar->tabText(i), [&](const QString& t) { tabBar->setTabText(i, t); });
      apply(tabBar->tabToolTip(i), [&](const QString& t) { tabBar->setTabToolTip(i, t); });
    }
  } else if (qobject_cast<QTabWidget*>(&widget) != nullptr ||
             qobject_cast<QToolBox*>(&widget) != nullptr ||
             qobject_cast<QTextEdit*>(&widget) != nullptr) {
    tip();
  } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    // Translating changes no choice: no change signal may reach the pages.
    const QSignalBlocker blocker(combo);
    tip();
    const QString shown = combo->currentText();
    for (int i = 0; i < combo->count(); ++i) {
      apply(combo->itemText(i), [&](const QString& t) { combo->setItemText(i, t); });
    }
    // A list-only box shows its current item, which carries the translation already and
    // keeps its position even where two items translate alike ("Null Peak" and "Peak
    // Nullsetzen" both give "Zero peak"). An editable box shows its own text.
    if (combo->isEditable()) {
      const QString english = Tr(shown);
      if (combo->currentText() != english) combo->setEditText(english);
    }
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    if (IsInnerEditor(*edit)) return;
    const QSignalBlocker blocker(edit);
    tip();
    apply(edit->text(), [&](const QString& t) { edit->setText(t); });
  }
}

void ComponentTranslator::TranslateComponentTree(QObject& root) {
  if (walked_.contains(&root)) return;
  walked_.insert(&root);
  TranslateComponent(root);

  if (auto* action = qobject_cast<QAction*>(&root)) {
    // A menu item with sub-items: the menu may be owned elsewhere.
    if (auto* menu = action->menu<QMenu*>()) TranslateComponentTree(*menu);
    return;
  }
  if (IsClosedToWalk(root)) return;
  const QObjectList children = root.children();
  for (QObject* child : children) TranslateComponentTree(*child);
  // Actions shown by a menu, menu bar or tool bar need not be its children.
  if (auto* widget = qobject_cast<QWidget*>(&root)) {
    const QList<QAction*> actions = widget->actions();
    for (QAction* action : actions) TranslateComponentTree(*action);
  }
}

void ComponentTranslator::TranslateAllForms(std::span<QWidget* const> forms) {
  for (QWidget* form : forms) {
    if (form != nullptr) TranslateComponentTree(*form);
  }
}

void TranslateComponent(const Dictionary& dictionary, QObject& component) {
  ComponentTranslator(dictionary).TranslateComponent(component);
}

void TranslateComponentTree(const Dictionary& dictionary, QObject& root) {
  ComponentTranslator(dictionary).TranslateComponentTree(root);
}

void TranslateAllForms(const Dictionary& dictionary, std::span<QWidget* const> forms) {
  ComponentTranslator(dictionary).TranslateAllForms(forms);
}

}  // namespace qel::gui
