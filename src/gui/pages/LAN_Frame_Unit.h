#pragma once
// The LAN page: the instrument's IPv4 address and subnet mask, each a dotted-address
// entry of four octet fields.

#include <QWidget>
#include <memory>

#include "core/pages/lan_model.h"
#include "gui/app/app_context.h"
#include "gui/pages/parameter_frame.h"

namespace Ui {
class TLANFrame;
}

namespace qel::gui {

class TLANFrame : public QWidget, public ParameterFrame {
  Q_OBJECT

 public:
  explicit TLANFrame(QWidget* parent = nullptr);
  ~TLANFrame() override;

  // Shows `model` and reaches the instrument through `context`'s session. Unbound, the
  // page works on a model of its own.
  void Bind(LANModel& model, AppContext& context);
  Ui::TLANFrame& Form() { return *ui_; }
  LANModel& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }
  void Unbind() override;

  void SetCaption(const QString& caption);
  // "Lesen" and "Schreiben" (the main window hides them).
  void SetButtonsVisible(bool visible);

  void CopyToModel() override;
  void CopyFromModel() override;

 private:
  std::unique_ptr<Ui::TLANFrame> ui_;
  LANModel ownModel_;
  LANModel* model_ = &ownModel_;
};

}  // namespace qel::gui
