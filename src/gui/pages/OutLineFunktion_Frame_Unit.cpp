#include "gui/pages/OutLineFunktion_Frame_Unit.h"

#include "gui/app/text_codec.h"
#include "gui/pages/page_controls.h"
#include "ui_OutLineFunktion_Frame_Unit.h"

namespace qel::gui {

TOutLineFrame::TOutLineFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TOutLineFrame>()) {
  ui_->setupUi(this);
  // Read and write run for all pages at once from the main window.
  ui_->Button1->hide();
  ui_->Button2->hide();
  FillChoiceBox(*ui_->Funk_ComboBox, model_->Funk.Items());
  FillChoiceBox(*ui_->Logic_ComboBox, model_->Logic.Items());
  InstallChoiceBoxKeyFilter(*ui_->Funk_ComboBox);
  InstallChoiceBoxKeyFilter(*ui_->Logic_ComboBox);
  for (QLineEdit* edit : {ui_->OG_Edit, ui_->UG_Edit}) {
    edit->setFont(MonospacedFont());
    InstallNumericKeyFilter(*edit, kLimitMaxLength);
  }
  connect(ui_->Funk_ComboBox, &QComboBox::activated, this, &TOutLineFrame::Funk_ComboBoxChange);
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { ReadFromDevice(); });
  connect(ui_->Button2, &QPushButton::clicked, this, [this] { WriteToDevice(); });
  CopyFromModel();
}

TOutLineFrame::~TOutLineFrame() = default;

void TOutLineFrame::Bind(OutLineModel& model, AppContext& context) {
  model_ = &model;
  context_ = &context;
  CopyFromModel();
}

void TOutLineFrame::Unbind() {
  model_ = &ownModel_;
  context_ = nullptr;
}

void TOutLineFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TOutLineFrame::CopyToModel() {
  TakeChoice(*ui_->Funk_ComboBox, model_->Funk);
  TakeChoice(*ui_->Logic_ComboBox, model_->Logic);
  model_->OG.SetText(ToWin1252(ui_->OG_Edit->text()));
  model_->UG.SetText(ToWin1252(ui_->UG_Edit->text()));
}

void TOutLineFrame::CopyFromModel() {
  ShowChoice(*ui_->Funk_ComboBox, model_->Funk);
  ShowChoice(*ui_->Logic_ComboBox, model_->Logic);
  ui_->OG_Edit->setText(FromWin1252(model_->OG.Text()));
  ui_->UG_Edit->setText(FromWin1252(model_->UG.Text()));
}

void TOutLineFrame::Funk_ComboBoxChange() {
  const OutLineEnabling enabling = OutLineEnablingFor(ui_->Funk_ComboBox->currentIndex());
  ui_->Logic_ComboBox->setEnabled(enabling.logic);
  ui_->OG_Edit->setEnabled(enabling.upperLimit);
  ui_->UG_Edit->setEnabled(enabling.lowerLimit);
}

}  // namespace qel::gui
