// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widget side of every parameter page: a thin view over the page's core model. A frame
// declares which control shows which value of its model (one editor per kind of value,
// see value_editors.h); "Lesen" and "Schreiben" copy the controls into the model, let the
// model talk to the instrument, and copy the model back into the controls.

#include <QObject>
#include <array>
#include <memory>
#include <vector>

#include "core/pages/parameter_page.h"
#include "gui/common/session_binding.h"
#include "gui/pages/value_editors.h"

class QPushButton;

namespace qel::gui {

class ParameterFrame : public SessionBinding {
 public:
  virtual ~ParameterFrame() = default;

  // "Lesen" (`Button1Click`): the page's queries, the controls set from the replies.
  void ReadFromDevice();
  // "Schreiben" (`Button2Click`): one setting line per setting, from the controls.
  void WriteToDevice();

  void CopyToModel();
  // No change handler runs.
  void CopyFromModel();
  virtual ParameterPage& Page() = 0;
  // Back to the frame's own model and no session: for an owner of the models that goes
  // before the widgets.
  virtual void Unbind() = 0;

 protected:
  // After the model was copied into the controls: what the frame shows besides the bound
  // values (the range texts of the measurement page).
  virtual void ModelShown() {}
  // Runs ReadFromDevice and WriteToDevice on clicks of the page's own buttons.
  void ConnectButtons(QObject& frame, QPushButton& read, QPushButton& write);

  std::vector<std::unique_ptr<ValueEditor>> editors_;
};

// A frame over a model of type M: its own model until Bind.
template <class M>
class BoundFrame : public ParameterFrame {
 public:
  // Shows `model` from now on and reaches the instrument through `session`.
  void Bind(M& model, ScpiSession& session) {
    model_ = &model;
    BindSession(session);
    CopyFromModel();
  }
  void Unbind() override {
    model_ = &ownModel_;
    UnbindSession();
  }
  M& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }

 protected:
  void BindChoice(QComboBox& box, ChoiceSetting M::*setting) {
    editors_.push_back(std::make_unique<ChoiceBoxEditor>(box, Of(setting)));
  }
  void BindLimit(QLineEdit& field, LimitValue M::*limit, int maxLength) {
    editors_.push_back(std::make_unique<LimitFieldEditor>(field, Of(limit), maxLength));
  }
  void BindAddress(const std::array<QLineEdit*, 4>& octets, IpAdrInModel M::*address) {
    for (int k = 1; k <= 4; ++k) {
      editors_.push_back(std::make_unique<OctetFieldEditor>(*octets[k - 1], k, Of(address)));
    }
  }
  void BindCheck(QCheckBox& box, bool M::*flag) {
    editors_.push_back(std::make_unique<CheckBoxEditor>(box, Of(flag)));
  }

  M ownModel_;
  M* model_ = &ownModel_;

 private:
  template <class Value>
  ValueOf<Value> Of(Value M::*member) {
    return [this, member]() -> Value& { return model_->*member; };
  }
};

}  // namespace qel::gui
