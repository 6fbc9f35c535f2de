// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend window ("Messwerte Verlauf", menu Service): the live readings against time,
// read at the chosen interval through the application's one read source; recording to a
// CSV file (the same recorder and format as qel11ctl monitor); the statistics of what the
// chart shows; the chart as a PNG image.

#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "core/record/live_read_source.h"
#include "core/record/reading_store.h"
#include "core/record/recorder.h"
#include "gui/common/run_window.h"

namespace Ui {
class TTrendForm;
}

namespace qel::gui {

class TrendChartView;

// What the trend window uses of the run; all of it outlives the window.
struct TrendRun {
  LiveReadSource& source;
  std::function<void()> scanDevices;  // after a read without answer: find it again
  bool english = false;
};

class TTrendForm : public RunWindow {
  Q_OBJECT

 public:
  explicit TTrendForm(TrendRun run, QWidget* parent = nullptr);
  ~TTrendForm() override;

  Ui::TTrendForm& Form() { return *ui_; }
  TrendChartView& Chart();
  const ReadingStore& Store() const { return store_; }
  QTimer& ReadTimer() { return readTimer_; }
  bool Running() const { return running_; }
  bool Recording() const { return recorder_ != nullptr; }

  // The save dialogs: the chosen path, empty when cancelled (tests replace them).
  std::function<QString()> AskRecordingFile, AskImageFile;
  // A failure the user must see (a message box unless replaced).
  std::function<void(const QString&)> ReportError;

  // Shows the window centred on `owner` (the main window).
  void ShowCentredOn(const QWidget& owner);

  void StartButtonClick();
  void StopButtonClick();
  void AufzeichnenButtonClick();
  void BeendenButtonClick();
  void IntervallEditChange();
  void FolgenCheckBoxClick();
  void AllesButtonClick();
  void BildButtonClick();
  void ReadTimerTimer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QString Text(const char* german) const;
  std::chrono::milliseconds Interval() const;
  std::chrono::milliseconds Tolerance() const;
  void OnRead(const TimedReading& read);
  void TakeRow(const TimedReading& read, std::chrono::milliseconds tolerance);
  void StartReads();
  void StopRecording();
  void ShowStatistics();
  void ShowState();

  LiveReadSource& source_;
  int client_ = 0;
  std::function<void()> scanDevices_;
  bool english_;
  std::unique_ptr<Ui::TTrendForm> ui_;
  ReadingStore store_;
  MonotonicTime origin_{};
  int range_ = -1;
  int unit_ = -1;
  QTimer readTimer_;
  bool running_ = false;
  bool ownRead_ = false;  // the read going on is this window's own
  std::optional<RowSchedule> schedule_;
  std::optional<MonotonicTime> lastRow_;
  RecordFile file_;
  std::unique_ptr<Recorder> recorder_;
  QString filePath_;
  QString fileState_;
};

}  // namespace qel::gui
