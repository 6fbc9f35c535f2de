#include "gui/pages/Einheiten_Frame_Unit.h"

#include "gui/pages/page_controls.h"
#include "ui_Einheiten_Frame_Unit.h"

namespace qel::gui {

TEinheitenFrame::TEinheitenFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TEinheitenFrame>()) {
  ui_->setupUi(this);
  FillChoiceBox(*ui_->Mess_Modus_ComboBox, model_->Mess_Modus.Items());
  FillChoiceBox(*ui_->Einheit_ComboBox, model_->Einheit.Items());
  FillChoiceBox(*ui_->Bereich_ComboBox, model_->RangeItems());
  shownRangeItems_ = model_->RangeItems().data();
  for (QComboBox* box : {ui_->Mess_Modus_ComboBox, ui_->Einheit_ComboBox, ui_->Bereich_ComboBox}) {
    InstallChoiceBoxKeyFilter(*box);
  }
  // activated: the user's choices only, never a selection set by a read or a load.
  connect(ui_->Mess_Modus_ComboBox, &QComboBox::activated, this,
          &TEinheitenFrame::Mess_Modus_ComboBoxChange);
  connect(ui_->Einheit_ComboBox, &QComboBox::activated, this,
          &TEinheitenFrame::Mess_Modus_ComboBoxChange);
  connect(ui_->Bereich_ComboBox, &QComboBox::activated, this,
          &TEinheitenFrame::Bereich_ComboBoxChange);
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { ReadFromDevice(); });
  connect(ui_->Button2, &QPushButton::clicked, this, [this] { WriteToDevice(); });
  CopyFromModel();
}

TEinheitenFrame::~TEinheitenFrame() = default;

void TEinheitenFrame::Bind(EinheitenModel& model, AppContext& context) {
  model_ = &model;
  context_ = &context;
  CopyFromModel();
}

void TEinheitenFrame::Unbind() {
  model_ = &ownModel_;
  context_ = nullptr;
}

void TEinheitenFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TEinheitenFrame::SetOwnControlsVisible(bool visible) {
  ui_->Button1->setVisible(visible);
  ui_->Button2->setVisible(visible);
  ui_->Auto->setVisible(visible);
}

void TEinheitenFrame::CopyToModel() {
  TakeChoice(*ui_->Mess_Modus_ComboBox, model_->Mess_Modus);
  TakeChoice(*ui_->Einheit_ComboBox, model_->Einheit);
  TakeChoice(*ui_->Bereich_ComboBox, model_->Bereich);
  model_->Auto = ui_->Auto->isChecked();
}

void TEinheitenFrame::CopyFromModel() {
  ShowChoice(*ui_->Mess_Modus_ComboBox, model_->Mess_Modus);
  ShowChoice(*ui_->Einheit_ComboBox, model_->Einheit);
  ShowRangeItems();
  ShowChoice(*ui_->Bereich_ComboBox, model_->Bereich);
  ui_->Auto->setChecked(model_->Auto);
}

// The box keeps the texts it shows until the model's list changes, so that a translation
// made at start-up stays until the texts really follow mode and unit.
void TEinheitenFrame::ShowRangeItems() {
  const auto items = model_->RangeItems();
  if (items.data() == shownRangeItems_) return;
  ReplaceChoiceItems(*ui_->Bereich_ComboBox, items);
  shownRangeItems_ = items.data();
}

void TEinheitenFrame::UpdateRangeItems() {
  CopyToModel();
  model_->UpdateRangeItems();
  ShowRangeItems();
}

void TEinheitenFrame::Mess_Modus_ComboBoxChange() {
  CopyToModel();
  if (ScpiSession* session = Session()) {
    model_->ModeOrUnitChangedByUser(*session);
  } else {
    model_->UpdateRangeItems();
  }
  ShowRangeItems();
}

void TEinheitenFrame::Bereich_ComboBoxChange() {
  CopyToModel();
  if (ScpiSession* session = Session()) model_->RangeChangedByUser(*session);
}

}  // namespace qel::gui
