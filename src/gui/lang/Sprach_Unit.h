// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language window, created last of the windows and never shown. Its creation applies
// the language the main window chose: with English selected it loads the dictionary, sets
// TranslationActive and translates every window once — all created before it, and itself.

#include <QTimer>
#include <QWidget>
#include <span>

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "gui/common/run_window.h"

class QPlainTextEdit;
class QPushButton;

namespace qel::gui {

class TSprach_Form : public RunWindow {
  Q_OBJECT

 public:
  // `formsBefore`: every window created before this one, in creation order. The
  // dictionary is loaded into `dictionary` when `language` says English is selected.
  TSprach_Form(Dictionary& dictionary, LanguageState& language,
               std::span<QWidget* const> formsBefore, QWidget* parent = nullptr);

  // Kept from the design; no path of the program shows or starts them.
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;  // "Wörterbuch anzeigen"
  QTimer InitTimer;
  QTimer SetTimer;

 private:
  void FormCreate(std::span<QWidget* const> formsBefore);

  Dictionary& dictionary_;
  LanguageState& language_;
};

}  // namespace qel::gui
