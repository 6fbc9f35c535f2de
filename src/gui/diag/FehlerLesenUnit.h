// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "QEL11 Fehler auslesen ": a fixed-size window with the error queue read-out in a text
// field; showing it and its "Retry" button run the read-out. Nothing in the program shows
// it, so it stays hidden for the run.

#include <memory>

#include "core/link/scpi_session.h"
#include "gui/common/run_window.h"

namespace Ui {
class TFehlerform;
}

namespace qel::gui {

class TFehlerform : public RunWindow {
  Q_OBJECT

 public:
  explicit TFehlerform(ScpiSession& session, QWidget* parent = nullptr);
  ~TFehlerform() override;

  Ui::TFehlerform& Form() { return *ui_; }

  void FormShow();
  void RetryButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ScpiSession& session_;
  std::unique_ptr<Ui::TFehlerform> ui_;
};

}  // namespace qel::gui
