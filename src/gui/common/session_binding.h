// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session of a page that a window's form creates: the form's generated code makes the
// page without arguments, and the window that places it binds it to the run's session
// right after. A page that no window has bound talks to no instrument.

#include "core/link/scpi_session.h"

namespace qel::gui {

class SessionBinding {
 public:
  void BindSession(ScpiSession& session) { session_ = &session; }
  void UnbindSession() { session_ = nullptr; }

  // Runs `action` with the session; false, without running it, while unbound.
  template <class Action>
  bool WithSession(Action&& action) const {
    if (session_ == nullptr) return false;
    action(*session_);
    return true;
  }

 private:
  ScpiSession* session_ = nullptr;
};

}  // namespace qel::gui
