#pragma once
// The widget side of every parameter page: a thin view over the page's core model. Each
// operation copies the controls into the model, lets the model talk to the instrument,
// and copies the model back into the controls with their change handlers quiet, so that
// only a user's change runs them.

#include "core/link/scpi_session.h"
#include "core/pages/parameter_page.h"
#include "gui/app/app_context.h"

namespace qel::gui {

class ParameterFrame {
 public:
  virtual ~ParameterFrame() = default;

  // "Lesen" (`Button1Click`): the page's queries, the controls set from the replies.
  void ReadFromDevice() {
    CopyToModel();
    if (ScpiSession* session = Session()) Page().ReadFromDevice(*session);
    CopyFromModel();
  }
  // "Schreiben" (`Button2Click`): one setting line per setting, from the controls.
  void WriteToDevice() {
    CopyToModel();
    if (ScpiSession* session = Session()) Page().WriteToDevice(*session);
  }

  // The controls into the model.
  virtual void CopyToModel() = 0;
  // The model into the controls; no change handler runs.
  virtual void CopyFromModel() = 0;
  virtual ParameterPage& Page() = 0;
  // Back to the page's own model and no session: for an owner of the models that goes
  // before the widgets (a focus change while they close still reaches the model).
  virtual void Unbind() = 0;

 protected:
  // Looked up at each use: the session exists only once the link window does, after the
  // main window has bound its pages. Null without a binding.
  ScpiSession* Session() const { return context_ != nullptr ? context_->session : nullptr; }

  AppContext* context_ = nullptr;
};

}  // namespace qel::gui
