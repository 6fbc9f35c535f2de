// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live readout: the instrument's current readings as its own display shows them (DC
// always, AC in AC mode, fast and slow peak values in peak mode), light green on black in
// a bold monospaced font. "Lesen" reads once, "Refresh" every 500 ms, "Peak Reset" clears
// the instrument's peak memories; the main window's continuous read calls ReadDisplay.

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/pages/display_readout.h"
#include "core/record/live_read_source.h"
#include "gui/common/session_binding.h"

class QLabel;

namespace Ui {
class TQEL_Display_Frame;
}

namespace qel::gui {

class TQEL_Display_Frame : public QWidget, public SessionBinding {
  Q_OBJECT

 public:
  explicit TQEL_Display_Frame(QWidget* parent = nullptr);
  ~TQEL_Display_Frame() override;

  // Reaches the instrument through `session`.
  void Bind(ScpiSession& session) { BindSession(session); }
  // Reads through the application's one read source (which reads on the same session)
  // from now on: its reads reach the trend window too, and while the readout refreshes,
  // the trend window's reads reach the readout.
  void BindReadSource(LiveReadSource& source);
  Ui::TQEL_Display_Frame& Form() { return *ui_; }
  const DisplayReadout& Readout() const { return readout_; }
  QTimer& RefreshTimer() { return refreshTimer_; }

  // The user's decimal separator (the system locale's unless set).
  char DecimalSeparator() const { return separator_; }
  void SetDecimalSeparator(char separator) { separator_ = separator; }

  // One complete read of the readings for the current mode.
  void ReadDisplay();
  // A read on a beat of `intervalMs` ("Refresh", the service tab's continuous read): with
  // a read source, no read when another beat (the trend window) reads at least as often;
  // its reads are shown instead.
  void TimedRead(int intervalMs);

  // Sets the "Refresh" check mark as a click would.
  void SetRefreshChecked(bool checked);

  void ReadButtonClick();
  void ResetClick();
  // Runs on every change of the check mark, the program's included: the main window
  // unchecks "Refresh" at each change of tab, which stops the refresh.
  void RefreshClick();
  void RefreshTimerTimer();

  void ShowAcControls(bool visible);
  void ShowPeakControls(bool visible);

 private:
  QLabel* ValueLabel(ReadoutLabel label) const;
  QStringList CaptionsOf(ReadoutLabel label) const;
  void ShowReadout();

  void ShowSharedRead(const TimedReading& read);

  std::unique_ptr<Ui::TQEL_Display_Frame> ui_;
  DisplayReadout readout_;
  LiveReadSource* source_ = nullptr;
  int sourceClient_ = 0;
  bool ownRead_ = false;  // a read of its own is shown once, not also as a shared one
  QTimer refreshTimer_;
  char separator_ = '.';
};

}  // namespace qel::gui
