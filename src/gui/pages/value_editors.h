// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One editor per kind of value on a parameter page: each binds one control to one value
// of the page's model, found through a function because a frame can be bound to another
// model later. ToModel copies the control into the model; FromModel copies the model
// into the control with its change handlers quiet, so that only a user's change runs
// them.

#include <QObject>
#include <functional>

#include "core/pages/choice_setting.h"
#include "core/pages/ip_adr_in_model.h"
#include "core/pages/limit_value.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qel::gui {

template <class Value>
using ValueOf = std::function<Value&()>;

class ValueEditor {
 public:
  virtual ~ValueEditor() = default;
  virtual void ToModel() = 0;
  virtual void FromModel() = 0;
};

// A choice box bound to a choice setting: filled once with the setting's German items
// (the start-up translation replaces them in place), typed characters swallowed
// (`Funk_ComboBoxKeyPress`), no selection shown as empty text.
class ChoiceBoxEditor : public ValueEditor {
 public:
  ChoiceBoxEditor(QComboBox& box, ValueOf<ChoiceSetting> setting);
  void ToModel() override;
  void FromModel() override;

 private:
  QComboBox& box_;
  ValueOf<ChoiceSetting> setting_;
};

// A limit field bound to a limit value: monospaced, the numeric key filter
// (`OG_EditKeyPress`) and a typing limit of `maxLength` characters.
class LimitFieldEditor : public ValueEditor {
 public:
  LimitFieldEditor(QLineEdit& field, ValueOf<LimitValue> limit, int maxLength);
  void ToModel() override;
  void FromModel() override;

 private:
  QLineEdit& field_;
  ValueOf<LimitValue> limit_;
};

// An octet field of an address entry bound to octet `k` (1..4) of an address. A change of
// its text, typed or set by the program, goes into the address at once
// (`Lan_Adr1_InChange`); leaving the field pads it to three digits (`Lan_Adr1_InExit`).
class OctetFieldEditor : public QObject, public ValueEditor {
 public:
  OctetFieldEditor(QLineEdit& field, int k, ValueOf<IpAdrInModel> address);
  void ToModel() override;
  void FromModel() override;

  void Lan_Adr1_InChange();
  void Lan_Adr1_InExit();
  // "000", caret at 0, all three characters selected.
  static void ResetOctetField(QLineEdit& field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit& field_;
  int k_;
  ValueOf<IpAdrInModel> address_;
};

// A check box bound to a flag.
class CheckBoxEditor : public ValueEditor {
 public:
  CheckBoxEditor(QCheckBox& box, ValueOf<bool> flag) : box_(box), flag_(std::move(flag)) {}
  void ToModel() override;
  void FromModel() override;

 private:
  QCheckBox& box_;
  ValueOf<bool> flag_;
};

}  // namespace qel::gui
