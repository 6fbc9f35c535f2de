#include "gui/pages/InLineFunktion_Frame_Unit.h"

#include "gui/pages/page_controls.h"
#include "ui_InLineFunktion_Frame_Unit.h"

namespace qel::gui {

TInLineFrame::TInLineFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TInLineFrame>()) {
  ui_->setupUi(this);
  // Read and write run for all pages at once from the main window.
  ui_->Button1->hide();
  ui_->Button2->hide();
  FillChoiceBox(*ui_->Funk_ComboBox, model_->Funk.Items());
  FillChoiceBox(*ui_->Logic_ComboBox, model_->Logic.Items());
  InstallChoiceBoxKeyFilter(*ui_->Funk_ComboBox);
  InstallChoiceBoxKeyFilter(*ui_->Logic_ComboBox);
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { ReadFromDevice(); });
  connect(ui_->Button2, &QPushButton::clicked, this, [this] { WriteToDevice(); });
  CopyFromModel();
}

TInLineFrame::~TInLineFrame() = default;

void TInLineFrame::Bind(InLineModel& model, AppContext& context) {
  model_ = &model;
  context_ = &context;
  CopyFromModel();
}

void TInLineFrame::Unbind() {
  model_ = &ownModel_;
  context_ = nullptr;
}

void TInLineFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TInLineFrame::CopyToModel() {
  TakeChoice(*ui_->Funk_ComboBox, model_->Funk);
  TakeChoice(*ui_->Logic_ComboBox, model_->Logic);
}

void TInLineFrame::CopyFromModel() {
  ShowChoice(*ui_->Funk_ComboBox, model_->Funk);
  ShowChoice(*ui_->Logic_ComboBox, model_->Logic);
}

}  // namespace qel::gui
