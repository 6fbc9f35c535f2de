#pragma once
// The digital input page: function and logic of input `Tag` (1..3).

#include <QWidget>
#include <memory>

#include "core/pages/in_line_model.h"
#include "gui/app/app_context.h"
#include "gui/pages/parameter_frame.h"

namespace Ui {
class TInLineFrame;
}

namespace qel::gui {

class TInLineFrame : public QWidget, public ParameterFrame {
  Q_OBJECT

 public:
  explicit TInLineFrame(QWidget* parent = nullptr);
  ~TInLineFrame() override;

  // Shows `model` (whose Tag is the input number) and reaches the instrument through
  // `context`'s session. Unbound, the page works on a model of its own.
  void Bind(InLineModel& model, AppContext& context);
  Ui::TInLineFrame& Form() { return *ui_; }
  InLineModel& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }
  void Unbind() override;
  int Tag() const { return model_->Tag; }

  void SetCaption(const QString& caption);

  void CopyToModel() override;
  void CopyFromModel() override;

 private:
  std::unique_ptr<Ui::TInLineFrame> ui_;
  InLineModel ownModel_;
  InLineModel* model_ = &ownModel_;
};

}  // namespace qel::gui
