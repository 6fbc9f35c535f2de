// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/service/SCPI_Probe_Service_Unit.h"

#include "core/service/service_text.h"
#include "gui/common/text_codec.h"
#include "gui/pages/page_controls.h"
#include "gui/service/key_filter.h"
#include "gui/service/service_window.h"
#include "ui_SCPI_Probe_Service_Unit.h"

namespace qel::gui {

TSCPI_Probe_Service_Form::TSCPI_Probe_Service_Form(ScpiSession& session, QWidget* parent)
    : ServiceWindow(parent),
      session_(session),
      ui_(std::make_unique<Ui::TSCPI_Probe_Service_Form>()) {
  ui_->setupUi(this);
  for (const char* item : kProbeTypeItems) ui_->ProbeTypeComboBox->addItem(FromWin1252(item));

  auto& f = *ui_;
  InstallKeyFilter(f.Probe_Name_In, {}, kProbeNameMaxLength);
  InstallKeyFilter(f.Probe_Cal_In, {}, kProbeNameMaxLength);
  InstallKeyFilter(f.Probe_EPROM_SN_In, {}, kProbeNumberMaxLength);
  InstallKeyFilter(f.Probe_SN_In, ProbeSerialKeyFilter, kProbeSerialMaxLength);
  for (QLineEdit* number : {f.Probe_So_1_In, f.Probe_So_2_In, f.Probe_alfa_1_In, f.Probe_alfa_2_In,
                            f.Probe_roffset_1ma_1_In, f.Probe_roffset_3ma_1_In,
                            f.Probe_roffset_1ma_2_In, f.Probe_roffset_3ma_2_In, f.Ref8T_IN}) {
    InstallKeyFilter(number, ProbeNumberKeyFilter, kProbeNumberMaxLength);
  }
  // ProbeTypeComboBoxKeyPress: every typed character dropped, in the open list too.
  InstallChoiceBoxKeyFilter(*f.ProbeTypeComboBox);

  connect(f.Read, &QPushButton::clicked, this, &TSCPI_Probe_Service_Form::ReadClick);
  connect(f.ProbeWriteButton, &QPushButton::clicked, this,
          &TSCPI_Probe_Service_Form::ProbeWriteButtonClick);
  connect(f.Button2, &QPushButton::clicked, this, &TSCPI_Probe_Service_Form::Button2Click);
  connect(f.Button1, &QPushButton::clicked, this, &TSCPI_Probe_Service_Form::Button1Click);
  // `activated` comes from the user only (mouse or arrow keys), as the change handler should.
  connect(f.ProbeTypeComboBox, &QComboBox::activated, this,
          &TSCPI_Probe_Service_Form::ProbeTypeComboBoxChange);

  FormCreate();
}

TSCPI_Probe_Service_Form::~TSCPI_Probe_Service_Form() = default;

void TSCPI_Probe_Service_Form::FormCreate() {
  ShowFields(probe_.fields);  // the empty type item, "Ref 8T" enabled
  ShowProbeState();           // "--------" on yellow
}

ProbeFields TSCPI_Probe_Service_Form::FieldsFromWindow() const {
  const auto& f = *ui_;
  ProbeFields fields;
  fields.Probe_Name_In = ToWin1252(f.Probe_Name_In->text());
  fields.Probe_Cal_In = ToWin1252(f.Probe_Cal_In->text());
  fields.ProbeTypeComboBox = f.ProbeTypeComboBox->currentIndex();
  fields.Probe_EPROM_SN_In = ToWin1252(f.Probe_EPROM_SN_In->text());
  fields.Probe_SN_In = ToWin1252(f.Probe_SN_In->text());
  fields.Probe_So_In = {ToWin1252(f.Probe_So_1_In->text()), ToWin1252(f.Probe_So_2_In->text())};
  fields.Probe_alfa_In = {ToWin1252(f.Probe_alfa_1_In->text()),
                          ToWin1252(f.Probe_alfa_2_In->text())};
  fields.Probe_roffset_1ma_In = {ToWin1252(f.Probe_roffset_1ma_1_In->text()),
                                 ToWin1252(f.Probe_roffset_1ma_2_In->text())};
  fields.Probe_roffset_3ma_In = {ToWin1252(f.Probe_roffset_3ma_1_In->text()),
                                 ToWin1252(f.Probe_roffset_3ma_2_In->text())};
  fields.Ref8T_IN = ToWin1252(f.Ref8T_IN->text());
  fields.Ref8T_Enabled = f.Ref8T_IN->isEnabled();
  return fields;
}

void TSCPI_Probe_Service_Form::ShowFields(const ProbeFields& fields) {
  auto& f = *ui_;
  f.Probe_Name_In->setText(FromWin1252(fields.Probe_Name_In));
  f.Probe_Cal_In->setText(FromWin1252(fields.Probe_Cal_In));
  f.ProbeTypeComboBox->setCurrentIndex(fields.ProbeTypeComboBox);
  f.Probe_EPROM_SN_In->setText(FromWin1252(fields.Probe_EPROM_SN_In));
  f.Probe_SN_In->setText(FromWin1252(fields.Probe_SN_In));
  f.Probe_So_1_In->setText(FromWin1252(fields.Probe_So_In[0]));
  f.Probe_So_2_In->setText(FromWin1252(fields.Probe_So_In[1]));
  f.Probe_alfa_1_In->setText(FromWin1252(fields.Probe_alfa_In[0]));
  f.Probe_alfa_2_In->setText(FromWin1252(fields.Probe_alfa_In[1]));
  f.Probe_roffset_1ma_1_In->setText(FromWin1252(fields.Probe_roffset_1ma_In[0]));
  f.Probe_roffset_1ma_2_In->setText(FromWin1252(fields.Probe_roffset_1ma_In[1]));
  f.Probe_roffset_3ma_1_In->setText(FromWin1252(fields.Probe_roffset_3ma_In[0]));
  f.Probe_roffset_3ma_2_In->setText(FromWin1252(fields.Probe_roffset_3ma_In[1]));
  f.Ref8T_IN->setText(FromWin1252(fields.Ref8T_IN));
  f.Ref8T_IN->setEnabled(fields.Ref8T_Enabled);
}

void TSCPI_Probe_Service_Form::ShowProbeState() {
  ShowServiceStatus(*ui_->PROBE_STATE_out, probe_.status);
}

void TSCPI_Probe_Service_Form::ShowAndRepaint() {
  ShowFields(probe_.fields);
  ShowProbeState();
  RepaintBeforeExchanges(*this);
}

void TSCPI_Probe_Service_Form::ReadClick() {
  WithButtonDisabled(*ui_->Read, [this] {
    probe_.fields = FieldsFromWindow();
    probe_.Read(session_, [this] { ShowAndRepaint(); });
    ShowFields(probe_.fields);
    ShowProbeState();
  });
}

void TSCPI_Probe_Service_Form::ProbeWriteButtonClick() {
  probe_.fields = FieldsFromWindow();
  probe_.Write(session_, [this] {
    ShowProbeState();
    RepaintBeforeExchanges(*this);
  });
  ShowProbeState();
}

void TSCPI_Probe_Service_Form::Button2Click() {
  probe_.fields = FieldsFromWindow();
  probe_.FillTestData();
  ShowFields(probe_.fields);
}

void TSCPI_Probe_Service_Form::Button1Click() {
  close();
}

void TSCPI_Probe_Service_Form::ProbeTypeComboBoxChange(int index) {
  probe_.fields = FieldsFromWindow();
  probe_.SelectType(index);
  ui_->Ref8T_IN->setEnabled(probe_.fields.Ref8T_Enabled);
}

}  // namespace qel::gui
