// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The error status page: empties the instrument's error queue on demand and lists every
// entry it held, the stop text last. Placed on the main window's " Gerätedaten " tab,
// which binds it to the run's session.

#include <QPlainTextEdit>
#include <QWidget>
#include <memory>

#include "core/diag/error_queue_readout.h"
#include "core/link/scpi_session.h"
#include "gui/common/session_binding.h"

namespace Ui {
class TSCPI_Fehler_Frame;
}

namespace qel::gui {

// Shows one read-out in a text field: one line per reply, in the order they came.
void ShowErrorQueueReadout(QPlainTextEdit& memo, const ErrorQueueReadout& readout);

// ReadErrorQueue over `session` into `memo` (cleared first).
void ReadErrorQueueInto(ScpiSession& session, QPlainTextEdit& memo);

class TSCPI_Fehler_Frame : public QWidget, public SessionBinding {
  Q_OBJECT

 public:
  explicit TSCPI_Fehler_Frame(QWidget* parent = nullptr);
  ~TSCPI_Fehler_Frame() override;

  void Bind(ScpiSession& session) { BindSession(session); }

  Ui::TSCPI_Fehler_Frame& Form() { return *ui_; }

  void Button1Click();  // "Lesen"
  void ReadErrorQueue();

 private:
  std::unique_ptr<Ui::TSCPI_Fehler_Frame> ui_;
};

}  // namespace qel::gui
