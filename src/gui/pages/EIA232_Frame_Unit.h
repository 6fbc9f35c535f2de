#pragma once
// The EIA-232 page: baud rate, stop bits, parity and output mode of the instrument's
// serial port.

#include <QWidget>
#include <memory>

#include "core/pages/eia232_model.h"
#include "gui/app/app_context.h"
#include "gui/pages/parameter_frame.h"

namespace Ui {
class TEIA232Frame;
}

namespace qel::gui {

class TEIA232Frame : public QWidget, public ParameterFrame {
  Q_OBJECT

 public:
  explicit TEIA232Frame(QWidget* parent = nullptr);
  ~TEIA232Frame() override;

  // Shows `model` and reaches the instrument through `context`'s session. Unbound, the
  // page works on a model of its own.
  void Bind(EIA232Model& model, AppContext& context);
  Ui::TEIA232Frame& Form() { return *ui_; }
  EIA232Model& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }
  void Unbind() override;

  void SetCaption(const QString& caption);

  void CopyToModel() override;
  void CopyFromModel() override;

 private:
  std::unique_ptr<Ui::TEIA232Frame> ui_;
  EIA232Model ownModel_;
  EIA232Model* model_ = &ownModel_;
};

}  // namespace qel::gui
