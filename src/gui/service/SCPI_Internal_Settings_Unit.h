// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "TOV09 QEL11 Internal Settings (SCPI)": the instrument's internal calibration constants.
// Reads, writes and stores them, resets them to the defaults, shows the probe current
// measured now, and keeps a backup of some of them in a file in the data folder named
// after the serial number. The fields are the window's only state; each operation copies
// them into the core's InternalSettings, runs it, and copies fields and status back.

#include <functional>
#include <memory>
#include <string>

#include "core/link/scpi_session.h"
#include "core/service/internal_settings.h"
#include "gui/service/service_window.h"

namespace Ui {
class TSCPI_Internal_Settings_Form;
}

namespace qel::gui {

class TSCPI_Internal_Settings_Form : public ServiceWindow {
  Q_OBJECT

 public:
  explicit TSCPI_Internal_Settings_Form(ScpiSession& session, QWidget* parent = nullptr);
  ~TSCPI_Internal_Settings_Form() override;

  Ui::TSCPI_Internal_Settings_Form& Form() { return *ui_; }

  // Where the backup lives: the data folder unless replaced (tests).
  std::function<std::string()> DataFolder;
  // The user's decimal separator for "Wert": the system locale's unless replaced.
  std::function<char()> DecimalSeparator;
  // The application's general error report (a message box unless replaced).
  std::function<void(const QString& message)> ReportError;

  void WerteLesenClick();        // "Werte Lesen"
  void EEProm_LesenClick();      // "Parm Lesen"
  void EEProm_SchreibenClick();  // "Parm Schreiben"
  void Button1Click();           // "Internal Default setzen"
  void SaveButtonClick();        // "Speichern"
  void LesenButtonClick();       // "Lesen"

 private:
  InternalFields FieldsFromWindow() const;
  void ShowFields(const InternalFields& fields);
  void ShowEEPromState();
  void ShowAndRepaint();
  // "Parm Lesen" disabled while `operation` fills the fields, each step shown.
  void FillFieldsWith(bool (InternalSettings::*operation)(ScpiSession&, const RepaintHook&));

  ScpiSession& session_;
  std::unique_ptr<Ui::TSCPI_Internal_Settings_Form> ui_;
  InternalSettings settings_;
};

}  // namespace qel::gui
