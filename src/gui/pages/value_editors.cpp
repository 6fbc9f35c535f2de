// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/value_editors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

#include "gui/common/text_codec.h"
#include "gui/pages/page_controls.h"

namespace qel::gui {

ChoiceBoxEditor::ChoiceBoxEditor(QComboBox& box, ValueOf<ChoiceSetting> setting)
    : box_(box), setting_(std::move(setting)) {
  FillChoiceBox(box_, setting_().Items());
  InstallChoiceBoxKeyFilter(box_);
}

void ChoiceBoxEditor::ToModel() {
  TakeChoice(box_, setting_());
}

void ChoiceBoxEditor::FromModel() {
  ShowChoice(box_, setting_());
}

LimitFieldEditor::LimitFieldEditor(QLineEdit& field, ValueOf<LimitValue> limit, int maxLength)
    : field_(field), limit_(std::move(limit)) {
  field_.setFont(MonospacedFont());
  InstallNumericKeyFilter(field_, maxLength);
}

void LimitFieldEditor::ToModel() {
  limit_().SetText(ToWin1252(field_.text()));
}

void LimitFieldEditor::FromModel() {
  field_.setText(FromWin1252(limit_().Text()));
}

OctetFieldEditor::OctetFieldEditor(QLineEdit& field, int k, ValueOf<IpAdrInModel> address)
    : field_(field), k_(k), address_(std::move(address)) {
  field_.installEventFilter(this);
  connect(&field_, &QLineEdit::textChanged, this, &OctetFieldEditor::Lan_Adr1_InChange);
}

void OctetFieldEditor::ToModel() {
  address_().SetOctet(k_, ToWin1252(field_.text()));
}

// The address has applied the change rule already; setting the text runs the change
// handler as any program change does, which then accepts it.
void OctetFieldEditor::FromModel() {
  const QString text = FromWin1252(address_().Octet(k_));
  if (field_.text() != text) field_.setText(text);
}

void OctetFieldEditor::Lan_Adr1_InChange() {
  if (address_().SetOctet(k_, ToWin1252(field_.text()))) ResetOctetField(field_);
}

void OctetFieldEditor::Lan_Adr1_InExit() {
  address_().ExitOctet(k_);
  FromModel();
}

void OctetFieldEditor::ResetOctetField(QLineEdit& field) {
  field.setText(FromWin1252(std::string(IpAdrInModel::kResetText)));
  // From the end back to the start: all selected, the caret at 0.
  field.setSelection(static_cast<int>(IpAdrInModel::kResetText.size()),
                     -static_cast<int>(IpAdrInModel::kResetText.size()));
}

bool OctetFieldEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &field_ && event->type() == QEvent::FocusOut) Lan_Adr1_InExit();
  return QObject::eventFilter(watched, event);
}

void CheckBoxEditor::ToModel() {
  flag_() = box_.isChecked();
}

void CheckBoxEditor::FromModel() {
  box_.setChecked(flag_());
}

}  // namespace qel::gui
