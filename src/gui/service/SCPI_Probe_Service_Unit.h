// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "TOV09 / QEL11 Probe Parameter Service (SCPI)": reads and writes the values stored in
// the probe's memory. The fields are the window's only state; each operation copies them
// into the core's ProbeService, runs it, and copies fields and status back.

#include <memory>

#include "core/link/scpi_session.h"
#include "core/service/probe_service.h"
#include "gui/service/service_window.h"

namespace Ui {
class TSCPI_Probe_Service_Form;
}

namespace qel::gui {

class TSCPI_Probe_Service_Form : public ServiceWindow {
  Q_OBJECT

 public:
  explicit TSCPI_Probe_Service_Form(ScpiSession& session, QWidget* parent = nullptr);
  ~TSCPI_Probe_Service_Form() override;

  Ui::TSCPI_Probe_Service_Form& Form() { return *ui_; }

  void ReadClick();              // "Read"
  void ProbeWriteButtonClick();  // "Write"
  void Button2Click();           // "Testdaten"
  void Button1Click();           // "Ende"
  void ProbeTypeComboBoxChange(int index);

 private:
  void FormCreate();
  ProbeFields FieldsFromWindow() const;
  void ShowFields(const ProbeFields& fields);
  void ShowProbeState();
  void ShowAndRepaint();

  ScpiSession& session_;
  std::unique_ptr<Ui::TSCPI_Probe_Service_Form> ui_;
  ProbeService probe_;
};

}  // namespace qel::gui
