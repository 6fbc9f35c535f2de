#pragma once
// The key function page: the function of the upper (Tag 0, "TOP") or lower (Tag 1, "BOT")
// front key.

#include <QWidget>
#include <memory>

#include "core/pages/tasten_model.h"
#include "gui/app/app_context.h"
#include "gui/pages/parameter_frame.h"

namespace Ui {
class TTastenFrame;
}

namespace qel::gui {

class TTastenFrame : public QWidget, public ParameterFrame {
  Q_OBJECT

 public:
  explicit TTastenFrame(QWidget* parent = nullptr);
  ~TTastenFrame() override;

  // Shows `model` (whose Tag selects the key) and reaches the instrument through
  // `context`'s session. Unbound, the page works on a model of its own.
  void Bind(TastenModel& model, AppContext& context);
  Ui::TTastenFrame& Form() { return *ui_; }
  TastenModel& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }
  void Unbind() override;
  int Tag() const { return model_->Tag; }

  void SetCaption(const QString& caption);
  // "Lesen" and "Schreiben" (the main window hides them).
  void SetButtonsVisible(bool visible);

  void CopyToModel() override;
  void CopyFromModel() override;

 private:
  std::unique_ptr<Ui::TTastenFrame> ui_;
  TastenModel ownModel_;
  TastenModel* model_ = &ownModel_;
};

}  // namespace qel::gui
