// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a diagnostics or service window needs of the run (its session), over an instrument
// the test controls: the scripted one (exact replies, silent lines, every line received)
// or the in-process virtual instrument (realistic answers from its state).

#include "../../core/diag/scripted_instrument.h"
#include "core/diag/device_info.h"
#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "core/lang/translate_text.h"
#include "core/link/hid_link.h"
#include "core/link/log_view.h"
#include "core/link/scpi_session.h"
#include "sim/sim_backend.h"

namespace qel::testing {

struct ScriptedContext {
  explicit ScriptedContext(bool attached = true) : qel(attached) {}
  // Captions through the dictionary once the translation is active.
  CaptionTranslator Captions() {
    return [this](const std::string& caption) {
      return TranslateIfActive(dictionary, language, caption);
    };
  }
  ScriptedInstrument qel;
  ScpiSession& session = qel.session;
  LanguageState language;
  Dictionary dictionary;
};

struct SimContext {
  SimContext() {
    link.SetReadTimeoutMs(200);
    link.ScanNow();
    sim.ClearReceived();
  }
  sim::SimBackend sim;
  MemoryLog memo;
  MemoryLog protocol;
  HidLink link{sim, memo};
  ScpiSession session{link, &protocol};
};

}  // namespace qel::testing
