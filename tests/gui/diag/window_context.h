#pragma once
// What a diagnostics or service window needs of the run (AppContext), over an instrument
// the test controls: the scripted one (exact replies, silent lines, every line received)
// or the in-process virtual instrument (realistic answers from its state).

#include "../../core/diag/scripted_instrument.h"
#include "core/link/hid_link.h"
#include "core/link/log_view.h"
#include "core/link/scpi_session.h"
#include "gui/app/app_context.h"
#include "sim/sim_backend.h"

namespace qel::testing {

struct ScriptedContext {
  explicit ScriptedContext(bool attached = true) : qel(attached) {
    context.link = &qel.link;
    context.session = &qel.session;
  }
  ScriptedInstrument qel;
  gui::AppContext context;
};

struct SimContext {
  SimContext() {
    link.SetReadTimeoutMs(200);
    link.ScanNow();
    context.link = &link;
    context.session = &session;
    sim.ClearReceived();
  }
  sim::SimBackend sim;
  MemoryLog memo;
  MemoryLog protocol;
  HidLink link{sim, memo};
  ScpiSession session{link, &protocol};
  gui::AppContext context;
};

}  // namespace qel::testing
