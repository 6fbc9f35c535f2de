// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two language flags of a run. One object per run, owned by the application (or the
// command-line run) and passed by reference.

namespace qel {

struct LanguageState {
  // English user interface chosen; set once by the main window's creation from the
  // setting or the system language, fixed for the run.
  bool EnglishSelected = false;
  // The dictionary is loaded and sorted; texts built at run time go through it. Never
  // cleared during a run.
  bool TranslationActive = false;
};

}  // namespace qel
