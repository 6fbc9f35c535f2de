#pragma once
// The digital output page: function, logic and the two limits of output `Tag` (1..4).
// The logic box and the limit fields are enabled by the function the user picks
// (`Funk_ComboBoxChange`); reads and loads leave the enabled states as they are.

#include <QWidget>
#include <memory>

#include "core/pages/out_line_model.h"
#include "gui/app/app_context.h"
#include "gui/pages/parameter_frame.h"

namespace Ui {
class TOutLineFrame;
}

namespace qel::gui {

class TOutLineFrame : public QWidget, public ParameterFrame {
  Q_OBJECT

 public:
  // The limit fields take at most this many typed characters.
  static constexpr int kLimitMaxLength = 10;

  explicit TOutLineFrame(QWidget* parent = nullptr);
  ~TOutLineFrame() override;

  // Shows `model` (whose Tag is the output number) and reaches the instrument through
  // `context`'s session. Unbound, the page works on a model of its own.
  void Bind(OutLineModel& model, AppContext& context);
  Ui::TOutLineFrame& Form() { return *ui_; }
  OutLineModel& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }
  void Unbind() override;
  int Tag() const { return model_->Tag; }

  void SetCaption(const QString& caption);

  void CopyToModel() override;
  void CopyFromModel() override;

  // The user picked a function: enables logic and limits for it.
  void Funk_ComboBoxChange();

 private:
  std::unique_ptr<Ui::TOutLineFrame> ui_;
  OutLineModel ownModel_;
  OutLineModel* model_ = &ownModel_;
};

}  // namespace qel::gui
