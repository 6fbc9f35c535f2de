#include "gui/pages/TastenFunktion_Frame_Unit.h"

#include "gui/pages/page_controls.h"
#include "ui_TastenFunktion_Frame_Unit.h"

namespace qel::gui {

TTastenFrame::TTastenFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TTastenFrame>()) {
  ui_->setupUi(this);
  FillChoiceBox(*ui_->Funk_ComboBox, model_->Funk.Items());
  InstallChoiceBoxKeyFilter(*ui_->Funk_ComboBox);
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { ReadFromDevice(); });
  connect(ui_->Button2, &QPushButton::clicked, this, [this] { WriteToDevice(); });
  CopyFromModel();
}

TTastenFrame::~TTastenFrame() = default;

void TTastenFrame::Bind(TastenModel& model, AppContext& context) {
  model_ = &model;
  context_ = &context;
  CopyFromModel();
}

void TTastenFrame::Unbind() {
  model_ = &ownModel_;
  context_ = nullptr;
}

void TTastenFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TTastenFrame::SetButtonsVisible(bool visible) {
  ui_->Button1->setVisible(visible);
  ui_->Button2->setVisible(visible);
}

void TTastenFrame::CopyToModel() {
  TakeChoice(*ui_->Funk_ComboBox, model_->Funk);
}

void TTastenFrame::CopyFromModel() {
  ShowChoice(*ui_->Funk_ComboBox, model_->Funk);
}

}  // namespace qel::gui
