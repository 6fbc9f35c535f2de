#include "gui/pages/EIA232_Frame_Unit.h"

#include "gui/pages/page_controls.h"
#include "ui_EIA232_Frame_Unit.h"

namespace qel::gui {

TEIA232Frame::TEIA232Frame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TEIA232Frame>()) {
  ui_->setupUi(this);
  // Read and write run for all pages at once from the main window.
  ui_->Button1->hide();
  ui_->Button2->hide();
  FillChoiceBox(*ui_->Baud_ComboBox, model_->Baud.Items());
  FillChoiceBox(*ui_->StopBit_ComboBox, model_->StopBit.Items());
  FillChoiceBox(*ui_->Parity_ComboBox, model_->Parity.Items());
  FillChoiceBox(*ui_->Mode_ComboBox, model_->Mode.Items());
  for (QComboBox* box :
       {ui_->Baud_ComboBox, ui_->StopBit_ComboBox, ui_->Parity_ComboBox, ui_->Mode_ComboBox}) {
    InstallChoiceBoxKeyFilter(*box);  // Baud_ComboBoxKeyPress
  }
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { ReadFromDevice(); });
  connect(ui_->Button2, &QPushButton::clicked, this, [this] { WriteToDevice(); });
  CopyFromModel();
}

TEIA232Frame::~TEIA232Frame() = default;

void TEIA232Frame::Bind(EIA232Model& model, AppContext& context) {
  model_ = &model;
  context_ = &context;
  CopyFromModel();
}

void TEIA232Frame::Unbind() {
  model_ = &ownModel_;
  context_ = nullptr;
}

void TEIA232Frame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TEIA232Frame::CopyToModel() {
  TakeChoice(*ui_->Baud_ComboBox, model_->Baud);
  TakeChoice(*ui_->StopBit_ComboBox, model_->StopBit);
  TakeChoice(*ui_->Parity_ComboBox, model_->Parity);
  TakeChoice(*ui_->Mode_ComboBox, model_->Mode);
}

void TEIA232Frame::CopyFromModel() {
  ShowChoice(*ui_->Baud_ComboBox, model_->Baud);
  ShowChoice(*ui_->StopBit_ComboBox, model_->StopBit);
  ShowChoice(*ui_->Parity_ComboBox, model_->Parity);
  ShowChoice(*ui_->Mode_ComboBox, model_->Mode);
}

}  // namespace qel::gui
