// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-time translation of the windows into English: a walk over Qt's object tree that
// replaces every German design-time text with its dictionary translation.
//
// Texts per kind (the first matching row decides; "tip" is the tool tip, our hint):
//
//   kind                                   texts
//   window (any top-level widget)          window title, tip
//   QAbstractButton (push, check, radio,   text, tip — a tool button that shows an action
//     tool button)                         takes both from the action instead
//   QGroupBox                              title, tip
//   QLabel (also status panels, images)    text, tip
//   QToolBar                               caption (window title), tip
//   QTabBar (of a QTabWidget or alone)     every tab text and tab tip
//   QTabWidget, QToolBox, QTextEdit        tip only (a tool box's item texts and tips are
//                                          held by its buttons)
//   QComboBox                              tip, every item, then the shown text
//   QLineEdit                              tip, text (not the editor inside a combo box or
//                                          spin box: its owner's texts cover it)
//   QMenu (a menu item with sub-items)     title and tip, held by its menu action
//   QAction (a menu item)                  text, tip when set apart from the text
//   everything else (QPlainTextEdit logs,  nothing
//     QTableWidget grids, pages, frames,
//     timers, menu bars, ...)
//
// Every text goes through the dictionary once: a walk handles each object at most once,
// however often it is reached (a menu as a child of the menu bar and through its action,
// an action in a menu and a tool bar, a window that is also a child of another), and a
// text that its owner derives from another (a combo box's shown item, an action's tip
// or a tool button's caption) is left to follow its source. The walk never descends into
// grids, plain-text logs, combo boxes, spin boxes or tab bars, whose children are the
// toolkit's own parts.

#include <QSet>
#include <QString>
#include <span>

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"

class QAction;
class QObject;
class QWidget;

namespace qel::gui {

// One text through TranslateText, across the Windows-1252 edge. A text that
// Windows-1252 cannot hold is none of the tool's design-time texts and comes back as is.
QString TranslateQString(const Dictionary& dictionary, const QString& text);

// TranslateIfActive for a text built at run time.
QString TranslateIfActive(const Dictionary& dictionary, const LanguageState& state,
                          const QString& text);

class ComponentTranslator {
 public:
  explicit ComponentTranslator(const Dictionary& dictionary) : dictionary_(dictionary) {}

  // The texts of one component by its kind (table above); a component already handled by
  // this translator is left alone. Does not look at TranslationActive: callers decide.
  void TranslateComponent(QObject& component);
  // A window, page, menu or menu item and everything it owns: its children, the actions
  // added to it and the menu of a menu item.
  void TranslateComponentTree(QObject& root);
  // Every window given, in order (the order of creation).
  void TranslateAllForms(std::span<QWidget* const> forms);

 private:
  QString Tr(const QString& text);
  void TranslateAction(QAction& action);
  void TranslateWidget(QWidget& widget);

  const Dictionary& dictionary_;
  QSet<const QObject*> translated_;  // components whose texts are done
  QSet<const QObject*> walked_;      // roots whose trees are done
};

// One-shot forms of the three operations, each with a translator of its own.
void TranslateComponent(const Dictionary& dictionary, QObject& component);
void TranslateComponentTree(const Dictionary& dictionary, QObject& root);
void TranslateAllForms(const Dictionary& dictionary, std::span<QWidget* const> forms);

}  // namespace qel::gui
