#pragma once
// The dotted-address entry: four borderless octet fields of at most three typed
// characters over one bold monospaced caption "   .   .   .", all inside one bordered
// panel so that it looks like a single field. A field's text is checked on every change,
// typed or set by the program (`Lan_Adr1_InChange`): an invalid text or a value above 255
// becomes "000", all selected, so the next digit starts the octet afresh. Leaving a field
// (`Lan_Adr1_InExit`) pads it to three digits.

#include <QWidget>
#include <array>
#include <memory>

#include "core/pages/ip_adr_in_model.h"

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

  // Shows `model` from now on; every change of a field goes into it at once. Unbound, the
  // control works on a model of its own.
  void Bind(IpAdrInModel& model);
  Ui::TIp_Adr_In_& Form() { return *ui_; }
  IpAdrInModel& Model() { return *model_; }

  // The four fields, octet 1 first (the field at index i has the Tag i + 1).
  const std::array<QLineEdit*, 4>& Octets() const { return octets_; }
  // Names the fields for assistive technology after the control's label ("<label> 1"...).
  void SetOctetNames(const QString& label);

  void CopyToModel();
  void CopyFromModel();

  void Lan_Adr1_InChange(int k);
  void Lan_Adr1_InExit(int k);
  // "000", caret at 0, all three characters selected.
  static void ResetOctetField(QLineEdit& field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Places the fields over the blanks of the caption; depends on the font.
  void PlaceFields();

  std::unique_ptr<Ui::TIp_Adr_In_> ui_;
  std::array<QLineEdit*, 4> octets_{};
  IpAdrInModel ownModel_;
  IpAdrInModel* model_ = &ownModel_;
};

}  // namespace qel::gui
