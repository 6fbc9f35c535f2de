// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The SCPI test console: its text field is the display of the protocol log, so it shows
// every line any part of the program exchanges, whether the window is open or not. Lines
// are sent with Enter or, from a selection in the log, with the context menu's "Send".
// The window attaches its log display to the session while it exists.

#include <QMenu>
#include <memory>

#include "core/link/scpi_session.h"
#include "gui/common/plain_text_log_view.h"
#include "gui/common/run_window.h"

namespace Ui {
class TSCPI_Test_Form;
}

namespace qel::gui {

class TSCPI_Test_Form : public RunWindow {
  Q_OBJECT

 public:
  explicit TSCPI_Test_Form(ScpiSession& session, QWidget* parent = nullptr);
  ~TSCPI_Test_Form() override;

  Ui::TSCPI_Test_Form& Form() { return *ui_; }
  QMenu* PopupMenu1() { return popupMenu1_; }
  QAction* Send1() { return send1_; }

  void SndTextKeyPress();  // Enter in SndText
  void PopupMenu1Popup();
  void Send1Click();
  void Button1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ScpiSession& session_;
  std::unique_ptr<Ui::TSCPI_Test_Form> ui_;
  std::unique_ptr<PlainTextLogView> log_;
  QMenu* popupMenu1_ = nullptr;
  QAction* send1_ = nullptr;
};

}  // namespace qel::gui
