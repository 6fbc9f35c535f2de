#pragma once
// The measurement settings page: mode, unit and range. The range items' texts follow the
// chosen mode and unit; a user's change of mode, unit or range writes the page when "Auto"
// is checked (hidden on the main window).

#include <QWidget>
#include <memory>
#include <string_view>

#include "core/pages/einheiten_model.h"
#include "gui/app/app_context.h"
#include "gui/pages/parameter_frame.h"

namespace Ui {
class TEinheitenFrame;
}

namespace qel::gui {

class TEinheitenFrame : public QWidget, public ParameterFrame {
  Q_OBJECT

 public:
  explicit TEinheitenFrame(QWidget* parent = nullptr);
  ~TEinheitenFrame() override;

  // Shows `model` from now on and reaches the instrument through `context`'s session.
  // Unbound, the page works on a model of its own.
  void Bind(EinheitenModel& model, AppContext& context);
  Ui::TEinheitenFrame& Form() { return *ui_; }
  EinheitenModel& Model() { return *model_; }
  ParameterPage& Page() override { return *model_; }
  void Unbind() override;

  void SetCaption(const QString& caption);
  // "Lesen", "Schreiben" and "Auto" (the main window hides them).
  void SetOwnControlsVisible(bool visible);

  void CopyToModel() override;
  void CopyFromModel() override;
  // The range texts of the current mode and unit; the range position is kept.
  void UpdateRangeItems();

  // Handlers of user changes.
  void Mess_Modus_ComboBoxChange();  // mode or unit
  void Bereich_ComboBoxChange();

 private:
  void ShowRangeItems();

  std::unique_ptr<Ui::TEinheitenFrame> ui_;
  EinheitenModel ownModel_;
  EinheitenModel* model_ = &ownModel_;
  // The range texts the box shows now (the model's list they came from).
  const std::string_view* shownRangeItems_ = nullptr;
};

}  // namespace qel::gui
