// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dotted-address entry: four borderless octet fields of at most three typed
// characters over one bold monospaced caption "   .   .   .", all inside one bordered
// panel so that it looks like a single field. The page that places it binds each field to
// its octet (OctetFieldEditor: the change and exit rules of `TIp_Adr_In_`).

#include <QWidget>
#include <array>
#include <memory>

class QLineEdit;

namespace Ui {
class TIp_Adr_In_;
}

namespace qel::gui {

class TIp_Adr_In_ : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kOctetMaxLength = 3;

  explicit TIp_Adr_In_(QWidget* parent = nullptr);
  ~TIp_Adr_In_() override;

  Ui::TIp_Adr_In_& Form() { return *ui_; }

  // The four fields, octet 1 first (the field at index i has the Tag i + 1).
  const std::array<QLineEdit*, 4>& Octets() const { return octets_; }
  // Names the fields for assistive technology after the control's label ("<label> 1"...).
  void SetOctetNames(const QString& label);

 private:
  // Places the fields over the blanks of the caption; depends on the font.
  void PlaceFields();

  std::unique_ptr<Ui::TIp_Adr_In_> ui_;
  std::array<QLineEdit*, 4> octets_{};
};

}  // namespace qel::gui
