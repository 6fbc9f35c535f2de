// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/trend/TrendForm.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/platform/computer_name.h"
#include "gui/common/file_dialogs.h"
#include "gui/common/file_path.h"
#include "gui/trend/trend_chart.h"
#include "gui/trend/trend_texts.h"
#include "ui_TrendForm.h"

namespace qel::gui {
namespace {

// "follow" shows at least this long, and at least this many intervals.
constexpr double kMinFollowSeconds = 60.0;
constexpr int kFollowIntervals = 120;
// While another window's beat reads, the trend looks this often whether it is its turn.
constexpr std::chrono::milliseconds kFollowerCheck{250};

// A save dialog that proposes a name with the date and time and remembers its folder.
std::function<QString()> SaveDialog(QWidget* parent, const std::function<QString()>& title,
                                    const std::function<QString()>& filter,
                                    const std::function<QString()>& proposedName) {
  return RememberingDialog([=](const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, title());
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(filter());
    if (!folder.isEmpty()) dialog->setDirectory(folder);
    dialog->selectFile(proposedName());
    return dialog;
  });
}

}  // namespace

TTrendForm::TTrendForm(TrendRun run, QWidget* parent)
    : RunWindow(parent, Qt::Window),
      source_(run.source),
      scanDevices_(std::move(run.scanDevices)),
      english_(run.english),
      ui_(std::make_unique<Ui::TTrendForm>()) {
  ui_->setupUi(this);
  ui_->Chart->setToolTip(
      QStringLiteral("Mausrad: Zeit zoomen, Strg+Mausrad: Werte zoomen, Ziehen oder Pfeiltasten: "
                     "verschieben, +/-: zoomen, Pos1: alles zeigen, Ende: folgen"));
  TranslateTrendWindow(*this, english_);
  ui_->Chart->SetTimeTitle(Text("Zeit"));
  ui_->Chart->SetStore(&store_, {});

  QTableWidget& grid = *ui_->StatistikGrid;
  const int numberWidth =
      grid.fontMetrics().horizontalAdvance(QStringLiteral("-0.000000E-00")) + 12;
  grid.horizontalHeader()->setMinimumSectionSize(numberWidth);
  grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 6);
  for (int r = 0; r < grid.rowCount(); ++r) {
    for (int c = 0; c < grid.columnCount(); ++c) {
      auto* item = new QTableWidgetItem();
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid.setItem(r, c, item);
    }
  }
  grid.setFixedHeight(grid.horizontalHeader()->sizeHint().height() +
                      grid.verticalHeader()->length() + 2 * grid.frameWidth());

  readTimer_.setSingleShot(true);
  readTimer_.setTimerType(Qt::PreciseTimer);
  connect(&readTimer_, &QTimer::timeout, this, &TTrendForm::ReadTimerTimer);
  connect(ui_->StartButton, &QPushButton::clicked, this, &TTrendForm::StartButtonClick);
  connect(ui_->StopButton, &QPushButton::clicked, this, &TTrendForm::StopButtonClick);
  connect(ui_->AufzeichnenButton, &QPushButton::clicked, this, &TTrendForm::AufzeichnenButtonClick);
  connect(ui_->BeendenButton, &QPushButton::clicked, this, &TTrendForm::BeendenButtonClick);
  connect(ui_->IntervallEdit, &QSpinBox::valueChanged, this, &TTrendForm::IntervallEditChange);
  connect(ui_->FolgenCheckBox, &QCheckBox::clicked, this, &TTrendForm::FolgenCheckBoxClick);
  connect(ui_->AllesButton, &QPushButton::clicked, this, &TTrendForm::AllesButtonClick);
  connect(ui_->BildButton, &QPushButton::clicked, this, &TTrendForm::BildButtonClick);
  connect(ui_->Chart, &TrendChartView::Redrawn, this, &TTrendForm::ShowStatistics);
  connect(ui_->Chart, &TrendChartView::ViewChangedByUser, this, [this] {
    ui_->FolgenCheckBox->setChecked(ui_->Chart->View() == TrendChartView::TimeView::Follow);
  });

  AskRecordingFile = SaveDialog(
      this, [this] { return Text("Messwerte aufzeichnen"); },
      [this] { return QStringLiteral("CSV (*.csv);;%1 (*.*)").arg(Text("Alle Dateien")); },
      [] {
        return FromFilePath(ProposedRecordingFileName(LocalTm(QDateTime::currentDateTime())));
      });
  AskImageFile = SaveDialog(
      this, [this] { return Text("Bild speichern"); },
      [this] { return QStringLiteral("PNG (*.png);;%1 (*.*)").arg(Text("Alle Dateien")); },
      [] {
        return QDateTime::currentDateTime().toString(
            QStringLiteral("'QEL11_Verlauf_'yyyyMMdd_HHmm'.png'"));
      });
  ReportError = [this](const QString& message) {
    QMessageBox::critical(this, windowTitle(), message);
  };

  client_ = source_.AddClient([this](const TimedReading& read) { OnRead(read); });
  fileState_ = Text("Keine Aufzeichnung");
  ShowState();
  ui_->Chart->SetFollowSpan(kMinFollowSeconds);
  ui_->Chart->Redraw();
  adjustSize();
  setFixedSize(sizeHint());
}

TTrendForm::~TTrendForm() {
  source_.RemoveClient(client_);
}

TrendChartView& TTrendForm::Chart() {
  return *ui_->Chart;
}

QString TTrendForm::Text(const char* german) const {
  return TrendText(QString::fromUtf8(german), english_);
}

std::chrono::milliseconds TTrendForm::Interval() const {
  return std::chrono::milliseconds(ui_->IntervallEdit->value());
}

// Another beat's read counts for the row due within half of the shorter interval.
std::chrono::milliseconds TTrendForm::Tolerance() const {
  return std::min(Interval(), source_.ShortestInterval().value_or(Interval())) / 2;
}

void TTrendForm::ShowCentredOn(const QWidget& owner) {
  move(owner.frameGeometry().center() - QPoint(width() / 2, height() / 2));
  show();
  raise();
  activateWindow();
}

void TTrendForm::StartReads() {
  if (running_) return;
  running_ = true;
  schedule_.emplace(Interval(), source_.Clock().MonotonicNow());
  const double follow = std::max(
      kMinFollowSeconds, kFollowIntervals * static_cast<double>(Interval().count()) / 1000.0);
  ui_->Chart->SetFollowSpan(follow);
  ShowState();
  ReadTimerTimer();
}

// StartButton "Start": reads at the interval; the chart follows.
void TTrendForm::StartButtonClick() {
  StartReads();
}

// StopButton "Stop": no more reads; a recording ends.
void TTrendForm::StopButtonClick() {
  running_ = false;
  readTimer_.stop();
  source_.Stop(client_);
  StopRecording();
  ShowState();
}

// ReadTimer: reads when it is this window's turn. When another window's beat reads at
// least as often (the live readout's "Refresh"), that one reads and its reads come in
// through OnRead; this window only looks again a little later.
void TTrendForm::ReadTimerTimer() {
  if (!running_) return;
  const bool leads = source_.Leads(client_, Interval());
  const MonotonicTime now = source_.Clock().MonotonicNow();
  if (leads && schedule_->Takes(now)) {
    ownRead_ = true;
    source_.ReadNow();
    ownRead_ = false;
  }
  const MonotonicTime after = source_.Clock().MonotonicNow();
  auto wait = std::chrono::ceil<std::chrono::milliseconds>(schedule_->NextDue() - after);
  wait = std::max(wait, std::chrono::milliseconds(0));
  if (!leads) wait = std::min(wait, kFollowerCheck);
  if (running_) readTimer_.start(wait);
}

void TTrendForm::OnRead(const TimedReading& read) {
  if (!running_) return;
  const auto tolerance = ownRead_ ? std::chrono::milliseconds(0) : Tolerance();
  if (schedule_->Takes(read.at, tolerance)) TakeRow(read, tolerance);
}

void TTrendForm::TakeRow(const TimedReading& read, std::chrono::milliseconds tolerance) {
  schedule_->Took(read.at, read.reading.answered, tolerance);
  lastRow_ = read.at;
  const LiveReading& r = read.reading;
  if (r.answered && r.rangeUnitFits && r.unit >= 0 && r.range >= 0) {
    // The chart holds one unit: readings in another one start it afresh (the file keeps
    // everything).
    if (unit_ >= 0 && r.unit != unit_) store_.Clear();
    unit_ = r.unit;
    range_ = r.range;
    ui_->Chart->SetDisplayUnit(range_, unit_);
  }
  if (store_.Empty() && !Recording()) {
    origin_ = read.at;
    ui_->Chart->SetStore(&store_, read.wall);
  }
  ReadingStore::Values values;
  for (std::size_t i = 0; i < kTrendSeriesCount; ++i) {
    const auto v = RowValue(r, static_cast<LiveValue>(i));
    values[i] = v ? static_cast<float>(*v) : std::numeric_limits<float>::quiet_NaN();
  }
  store_.Add(std::chrono::duration<double>(read.at - origin_).count(), values);

  if (recorder_ && !recorder_->AddRow(read)) {
    const QString error = WriteErrorText(ToFilePath(filePath_));
    StopRecording();
    fileState_ = Text("Schreibfehler: %1").arg(QFileInfo(filePath_).fileName());
    ShowState();
    ReportError(error);
  } else if (recorder_) {
    ShowState();
  }
  if (!r.answered && scanDevices_) scanDevices_();
  ui_->Chart->RequestRedraw();
}

// AufzeichnenButton "Aufzeichnen ...": a new recording to a CSV file. The chart starts
// afresh with it, so that it shows what the file holds.
void TTrendForm::AufzeichnenButtonClick() {
  const QString path = AskRecordingFile ? AskRecordingFile() : QString();
  if (path.isEmpty()) return;
  StopRecording();
  if (!file_.Open(ToFilePath(path))) {
    ReportError(WriteErrorText(ToFilePath(path)));
    return;
  }
  filePath_ = path;
  RecordingHeader header = ReadRecordingHeader(source_.Session());
  header.program = "qel11-config";
  header.version = QEL_VERSION;
  header.computer = GetComputerName();
  origin_ = source_.Clock().MonotonicNow();
  header.started = source_.Clock().WallNow();
  recorder_ = std::make_unique<Recorder>(file_);
  if (!recorder_->Start(header, origin_)) {
    recorder_.reset();
    file_.Close();
    ReportError(WriteErrorText(ToFilePath(path)));
    return;
  }
  store_.Clear();
  ui_->Chart->SetStore(&store_, header.started);
  if (running_) {
    schedule_.emplace(Interval(), origin_);
    readTimer_.stop();
    ReadTimerTimer();
  } else {
    StartReads();
  }
}

// BeendenButton "Aufzeichnung beenden": the file is complete; the chart goes on.
void TTrendForm::BeendenButtonClick() {
  StopRecording();
  ShowState();
}

void TTrendForm::StopRecording() {
  if (!recorder_) return;
  fileState_ = Text("%1 Zeilen in %2").arg(recorder_->Rows()).arg(QFileInfo(filePath_).fileName());
  recorder_.reset();
  file_.Close();
}

// IntervallEdit, changed: the next row comes one new interval after the last.
void TTrendForm::IntervallEditChange() {
  if (!running_) return;
  const MonotonicTime now = source_.Clock().MonotonicNow();
  schedule_.emplace(Interval(), lastRow_ ? std::min(now, *lastRow_ + Interval()) : now);
  readTimer_.stop();
  ReadTimerTimer();
}

// FolgenCheckBox "Folgen", clicked: the newest reading stays at the right edge.
void TTrendForm::FolgenCheckBoxClick() {
  ui_->Chart->SetView(ui_->FolgenCheckBox->isChecked() ? TrendChartView::TimeView::Follow
                                                       : TrendChartView::TimeView::Manual);
}

// AllesButton "Alles zeigen": every stored reading, also those still to come.
void TTrendForm::AllesButtonClick() {
  ui_->FolgenCheckBox->setChecked(false);
  ui_->Chart->SetView(TrendChartView::TimeView::All);
}

// BildButton "Bild speichern ...": the chart as it is shown, as a PNG file.
void TTrendForm::BildButtonClick() {
  const QString path = AskImageFile ? AskImageFile() : QString();
  if (path.isEmpty()) return;
  ui_->Chart->Redraw();
  if (!ui_->Chart->grab().save(path, "PNG")) ReportError(WriteErrorText(ToFilePath(path)));
}

void TTrendForm::ShowStatistics() {
  QTableWidget& grid = *ui_->StatistikGrid;
  const QLocale locale = QLocale::system();
  const auto shown = ui_->Chart->ShownSeries();
  const QString unit = ui_->Chart->UnitText();
  for (std::size_t s = 0; s < kTrendSeriesCount; ++s) {
    const bool visible = std::find(shown.begin(), shown.end(), s) != shown.end();
    const SeriesStats stats = visible ? ui_->Chart->ShownStats(s) : SeriesStats{};
    const auto number = [&](double v) {
      return visible && stats.count > 0 ? locale.toString(v, 'g', 6) : QString();
    };
    const int row = static_cast<int>(s);
    grid.item(row, 0)->setText(visible ? locale.toString(static_cast<qulonglong>(stats.count))
                                       : QString());
    grid.item(row, 1)->setText(number(stats.min));
    grid.item(row, 2)->setText(number(stats.max));
    grid.item(row, 3)->setText(number(stats.mean));
    grid.item(row, 4)->setText(number(stats.stddev));
  }
  const QString title = Text(" Statistik der Anzeige ");
  ui_->StatistikGroupBox->setTitle(unit.isEmpty() ? title : title + "[" + unit + "] ");
}

void TTrendForm::ShowState() {
  ui_->StartButton->setEnabled(!running_);
  ui_->StopButton->setEnabled(running_);
  ui_->BeendenButton->setEnabled(Recording());
  if (Recording()) {
    fileState_ =
        Text("%1 Zeilen in %2").arg(recorder_->Rows()).arg(QFileInfo(filePath_).fileName());
  }
  ui_->DateiLabel->setText(
      fontMetrics().elidedText(fileState_, Qt::ElideMiddle, ui_->DateiLabel->minimumWidth()));
  ui_->DateiLabel->setToolTip(filePath_);
}

// The window closes: reads and a recording end with it.
void TTrendForm::closeEvent(QCloseEvent* event) {
  StopButtonClick();
  RunWindow::closeEvent(event);
}

}  // namespace qel::gui
