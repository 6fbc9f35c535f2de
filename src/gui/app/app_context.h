#pragma once
// What the windows share: the process-wide objects of one run of the window program,
// owned by QelApplication and handed to each window by reference. The link and the
// session are set when the link window is created (second in the window set), so the
// main window's creation handler, which runs first, never talks to the instrument.

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "gui/app/program_options.h"

namespace qel::gui {

struct AppContext {
  ProgramOptions options;
  bool serviceMode = false;
  LanguageState language;  // EnglishSelected, TranslationActive
  Dictionary dictionary;   // loaded by the language window when English is selected
  HidLink* link = nullptr;
  ScpiSession* session = nullptr;
};

}  // namespace qel::gui
