// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (the service tab).
// The main window's "Service" tab, which exists only in service mode: the test range
// choice, simulated presses of the instrument's two front keys, the key lock check box
// and the continuous display read (Timer1, 250 ms, while "DauerRead" is checked).

#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"

namespace Ui {
class ServiceTabSheet;
}

namespace qel::gui {

class TQEL_Display_Frame;

class ServiceTabSheet : public QWidget {
  Q_OBJECT

 public:
  // `display` is the main window's live readout, which the continuous read refreshes;
  // `english` chooses the language of the texts for screen readers.
  ServiceTabSheet(ScpiSession& session, const HidLink& link, TQEL_Display_Frame& display,
                  bool english, QWidget* parent = nullptr);
  ~ServiceTabSheet() override;

  Ui::ServiceTabSheet& Form() { return *ui_; }
  QTimer& Timer1() { return timer1_; }

  void TestBereicheComboBoxChange(int position);
  void Button1Click();
  void Button9Click();
  void Button10Click();
  void Button11Click();
  void Button12Click();
  void CheckBox1Click(bool checked);
  void DauerReadClick();
  void Timer1Timer();

 private:
  ScpiSession& session_;
  const HidLink& link_;
  TQEL_Display_Frame& display_;
  std::unique_ptr<Ui::ServiceTabSheet> ui_;
  QTimer timer1_;
};

}  // namespace qel::gui
