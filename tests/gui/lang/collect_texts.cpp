// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>

#include "lang_fixture.h"

namespace qel::testing {

namespace {

std::string NameOf(const QObject& object, int index) {
  const QString name = object.objectName();
  return name.isEmpty()
             ? std::string(object.metaObject()->className()) + "#" + std::to_string(index)
             : name.toStdString();
}

void Collect(const QObject& object, const std::string& path, TextSlots& texts) {
  const auto add = [&](const std::string& what, const QString& text) {
    if (!text.isEmpty()) texts[path + ":" + what] = text;
  };
  if (qobject_cast<const QAbstractItemView*>(&object) != nullptr ||
      qobject_cast<const QPlainTextEdit*>(&object) != nullptr) {
    return;  // grids and logs keep what they hold
  }
  if (const auto* widget = qobject_cast<const QWidget*>(&object)) {
    if (widget->isWindow() && qobject_cast<const QMenu*>(widget) == nullptr) {
      add("windowTitle", widget->windowTitle());
    }
    if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLabel*>(widget) ||
        qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QComboBox*>(widget) ||
        qobject_cast<const QLineEdit*>(widget)) {
      add("toolTip", widget->toolTip());
    }
  }
  for (const char* property : {"text", "title", "currentText"}) {
    const QVariant value = object.property(property);
    if (value.typeId() == QMetaType::QString) add(property, value.toString());
  }
  if (const auto* combo = qobject_cast<const QComboBox*>(&object)) {
    for (int i = 0; i < combo->count(); ++i) add("item" + std::to_string(i), combo->itemText(i));
  }
  if (const auto* tabs = qobject_cast<const QTabBar*>(&object)) {
    for (int i = 0; i < tabs->count(); ++i) add("tab" + std::to_string(i), tabs->tabText(i));
  }
  int index = 0;
  for (const QObject* child : object.children()) {
    Collect(*child, path + "/" + NameOf(*child, index++), texts);
  }
}

}  // namespace

TextSlots CollectTexts(const std::vector<QWidget*>& forms) {
  TextSlots texts;
  int index = 0;
  for (const QWidget* form : forms) Collect(*form, NameOf(*form, index++), texts);
  return texts;
}

}  // namespace qel::testing
