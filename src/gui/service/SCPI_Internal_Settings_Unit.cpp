// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/service/SCPI_Internal_Settings_Unit.h"

#include <QLocale>
#include <QMessageBox>

#include "core/platform/app_data_folder.h"
#include "core/platform/ini_file.h"
#include "core/service/service_text.h"
#include "core/text/decimal_separator.h"
#include "gui/common/file_path.h"
#include "gui/common/text_codec.h"
#include "gui/service/key_filter.h"
#include "gui/service/service_window.h"
#include "ui_SCPI_Internal_Settings_Unit.h"

namespace qel::gui {

TSCPI_Internal_Settings_Form::TSCPI_Internal_Settings_Form(ScpiSession& session, QWidget* parent)
    : ServiceWindow(parent),
      session_(session),
      ui_(std::make_unique<Ui::TSCPI_Internal_Settings_Form>()) {
  ui_->setupUi(this);
  DataFolder = [] { return DataFolderForFiles(); };
  DecimalSeparator = [] {
    return SystemDecimalSeparator(ToWin1252(QLocale::system().decimalPoint()));
  };
  ReportError = [this](const QString& message) {
    QMessageBox::critical(this, windowTitle(), message);
  };

  auto& f = *ui_;
  for (QLineEdit* number : {f.ISonde_Val, f.ISonde_Gain, f.ISonde_Offset, f.I1mA_set, f.I3mA_set,
                            f.MAG_GAIN_0, f.MAG_GAIN_1, f.MAG_GAIN_2, f.MAG_GAIN_3, f.MAG_GAIN_4,
                            f.MAG_GAIN_5, f.MAG_GAIN_6, f.MAG_GAIN_7}) {
    InstallKeyFilter(number, InternalNumberKeyFilter, kInternalNumberMaxLength);
  }
  // No key filter and no limit, but a pasted line feed must not split the line that
  // "Parm Schreiben" sends into two commands.
  InstallKeyFilter(f.SN_IN, {});
  InstallKeyFilter(f.Cal_Info_IN, {});

  connect(f.WerteLesen, &QPushButton::clicked, this,
          &TSCPI_Internal_Settings_Form::WerteLesenClick);
  connect(f.EEProm_Lesen, &QPushButton::clicked, this,
          &TSCPI_Internal_Settings_Form::EEProm_LesenClick);
  connect(f.EEProm_Schreiben, &QPushButton::clicked, this,
          &TSCPI_Internal_Settings_Form::EEProm_SchreibenClick);
  connect(f.Button1, &QPushButton::clicked, this, &TSCPI_Internal_Settings_Form::Button1Click);
  connect(f.SaveButton, &QPushButton::clicked, this,
          &TSCPI_Internal_Settings_Form::SaveButtonClick);
  connect(f.LesenButton, &QPushButton::clicked, this,
          &TSCPI_Internal_Settings_Form::LesenButtonClick);

  ShowEEPromState();  // 24 dashes on yellow
}

TSCPI_Internal_Settings_Form::~TSCPI_Internal_Settings_Form() = default;

InternalFields TSCPI_Internal_Settings_Form::FieldsFromWindow() const {
  const auto& f = *ui_;
  InternalFields fields;
  fields.ISonde_Val = ToWin1252(f.ISonde_Val->text());
  fields.ISonde_Gain = ToWin1252(f.ISonde_Gain->text());
  fields.ISonde_Offset = ToWin1252(f.ISonde_Offset->text());
  fields.I1mA_set = ToWin1252(f.I1mA_set->text());
  fields.I3mA_set = ToWin1252(f.I3mA_set->text());
  const QLineEdit* gains[] = {f.MAG_GAIN_0, f.MAG_GAIN_1, f.MAG_GAIN_2, f.MAG_GAIN_3,
                              f.MAG_GAIN_4, f.MAG_GAIN_5, f.MAG_GAIN_6, f.MAG_GAIN_7};
  for (std::size_t i = 0; i < fields.MAG_GAIN.size(); ++i) {
    fields.MAG_GAIN[i] = ToWin1252(gains[i]->text());
  }
  fields.SN_IN = ToWin1252(f.SN_IN->text());
  fields.Cal_Info_IN = ToWin1252(f.Cal_Info_IN->text());
  return fields;
}

void TSCPI_Internal_Settings_Form::ShowFields(const InternalFields& fields) {
  auto& f = *ui_;
  f.ISonde_Val->setText(FromWin1252(fields.ISonde_Val));
  f.ISonde_Gain->setText(FromWin1252(fields.ISonde_Gain));
  f.ISonde_Offset->setText(FromWin1252(fields.ISonde_Offset));
  f.I1mA_set->setText(FromWin1252(fields.I1mA_set));
  f.I3mA_set->setText(FromWin1252(fields.I3mA_set));
  QLineEdit* gains[] = {f.MAG_GAIN_0, f.MAG_GAIN_1, f.MAG_GAIN_2, f.MAG_GAIN_3,
                        f.MAG_GAIN_4, f.MAG_GAIN_5, f.MAG_GAIN_6, f.MAG_GAIN_7};
  for (std::size_t i = 0; i < fields.MAG_GAIN.size(); ++i) {
    gains[i]->setText(FromWin1252(fields.MAG_GAIN[i]));
  }
  f.SN_IN->setText(FromWin1252(fields.SN_IN));
  f.Cal_Info_IN->setText(FromWin1252(fields.Cal_Info_IN));
}

void TSCPI_Internal_Settings_Form::ShowEEPromState() {
  ShowServiceStatus(*ui_->EEProm_State, settings_.status);
}

void TSCPI_Internal_Settings_Form::ShowAndRepaint() {
  ShowFields(settings_.fields);
  ShowEEPromState();
  RepaintBeforeExchanges(*this);
}

void TSCPI_Internal_Settings_Form::FillFieldsWith(
    bool (InternalSettings::*operation)(ScpiSession&, const RepaintHook&)) {
  WithButtonDisabled(*ui_->EEProm_Lesen, [&] {
    settings_.fields = FieldsFromWindow();
    (settings_.*operation)(session_, [this] { ShowAndRepaint(); });
    ShowFields(settings_.fields);
    ShowEEPromState();
  });
}

void TSCPI_Internal_Settings_Form::WerteLesenClick() {
  WithButtonDisabled(*ui_->WerteLesen, [this] {
    ui_->ISonde_Val->clear();
    settings_.fields = FieldsFromWindow();
    settings_.ReadCurrentValue(session_, DecimalSeparator());
    ui_->ISonde_Val->setText(FromWin1252(settings_.fields.ISonde_Val));
  });
}

void TSCPI_Internal_Settings_Form::EEProm_LesenClick() {
  FillFieldsWith(&InternalSettings::ReadParameters);
}

void TSCPI_Internal_Settings_Form::EEProm_SchreibenClick() {
  settings_.fields = FieldsFromWindow();
  settings_.WriteParameters(session_, [this] {
    ShowEEPromState();
    RepaintBeforeExchanges(*this);
  });
  ShowEEPromState();
}

// Without a question: the defaults replace the constants at once, then "Parm Lesen" shows
// them as if its button had been pressed.
void TSCPI_Internal_Settings_Form::Button1Click() {
  FillFieldsWith(&InternalSettings::SetInternalDefaults);
}

void TSCPI_Internal_Settings_Form::SaveButtonClick() {
  settings_.fields = FieldsFromWindow();
  try {
    settings_.SaveBackup(DataFolder());
  } catch (const IniWriteError& error) {
    ReportError(WriteErrorText(error.Path()));
  }
}

void TSCPI_Internal_Settings_Form::LesenButtonClick() {
  settings_.fields = FieldsFromWindow();
  settings_.LoadBackup(DataFolder());
  ShowFields(settings_.fields);
}

}  // namespace qel::gui
