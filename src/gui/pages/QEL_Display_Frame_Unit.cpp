// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/QEL_Display_Frame_Unit.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPalette>

#include "core/text/decimal_separator.h"
#include "gui/common/text_codec.h"
#include "gui/common/timer_switch.h"
#include "gui/pages/page_controls.h"
#include "ui_QEL_Display_Frame_Unit.h"

namespace qel::gui {

namespace {

// The widest reading, e.g. "+10.000 kA/m ": the value labels keep this width, so that
// changing numbers never make the readout jump.
constexpr int kReadingChars = 13;
constexpr int kReadingPointSize = 18;  // DC and AC
constexpr int kPeakPointSize = 11;
const QColor kReadingColor(0x90, 0xee, 0x90);  // light green
constexpr int kValueLabelMargin = 4;

void StyleValueLabel(QLabel& label, int pointSize) {
  const QFont font = MonospacedFont(true, pointSize);
  label.setFont(font);
  QPalette palette = label.palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, kReadingColor);
  label.setPalette(palette);
  label.setAutoFillBackground(true);
  label.setContentsMargins(kValueLabelMargin, 1, kValueLabelMargin, 1);
  label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label.setFixedWidth(QFontMetrics(font).horizontalAdvance(QLatin1Char('0')) * kReadingChars +
                      2 * kValueLabelMargin + 2);
  label.setTextFormat(Qt::PlainText);
}

// Hidden controls keep their place: the readout does not shift when the mode changes.
void KeepPlaceWhenHidden(QWidget& widget) {
  QSizePolicy policy = widget.sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget.setSizePolicy(policy);
}

}  // namespace

TQEL_Display_Frame::TQEL_Display_Frame(QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TQEL_Display_Frame>()),
      separator_(SystemDecimalSeparator(ToWin1252(QLocale::system().decimalPoint()))) {
  ui_->setupUi(this);
  StyleValueLabel(*ui_->DC_Out, kReadingPointSize);
  StyleValueLabel(*ui_->AC_Out, kReadingPointSize);
  for (QLabel* label : {ui_->PFmin_Out, ui_->PFmax_Out, ui_->PFabs_Out, ui_->PSmin_Out,
                        ui_->PSmax_Out, ui_->PSabs_Out}) {
    StyleValueLabel(*label, kPeakPointSize);
  }
  for (QWidget* widget : std::initializer_list<QWidget*>{
           ui_->Label3, ui_->AC_Out, ui_->Label16, ui_->Label15, ui_->Label1, ui_->Label5,
           ui_->Label7, ui_->Label9, ui_->Label11, ui_->Label13, ui_->PFmin_Out, ui_->PFmax_Out,
           ui_->PFabs_Out, ui_->PSmin_Out, ui_->PSmax_Out, ui_->PSabs_Out, ui_->Reset}) {
    KeepPlaceWhenHidden(*widget);
  }

  refreshTimer_.setInterval(kRefreshIntervalMs);
  connect(&refreshTimer_, &QTimer::timeout, this, &TQEL_Display_Frame::RefreshTimerTimer);
  connect(ui_->ReadButton, &QPushButton::clicked, this, &TQEL_Display_Frame::ReadButtonClick);
  connect(ui_->Reset, &QPushButton::clicked, this, &TQEL_Display_Frame::ResetClick);
  connect(ui_->Refresh, &QCheckBox::toggled, this, &TQEL_Display_Frame::RefreshClick);
  ShowReadout();
}

TQEL_Display_Frame::~TQEL_Display_Frame() {
  if (source_ != nullptr) source_->RemoveClient(sourceClient_);
}

void TQEL_Display_Frame::BindReadSource(LiveReadSource& source) {
  if (source_ != nullptr) source_->RemoveClient(sourceClient_);
  source_ = &source;
  sourceClient_ = source.AddClient([this](const TimedReading& read) { ShowSharedRead(read); });
}

// A read made for the trend window: shown while the readout's own beat runs, so that the
// labels change only when the readout is live, as they would with its own reads.
void TQEL_Display_Frame::ShowSharedRead(const TimedReading& read) {
  if (ownRead_ || !source_->Running(sourceClient_)) return;
  readout_.Show(read.reading, separator_);
  ShowReadout();
}

QLabel* TQEL_Display_Frame::ValueLabel(ReadoutLabel label) const {
  switch (label) {
    case ReadoutLabel::DC_Out:
      return ui_->DC_Out;
    case ReadoutLabel::AC_Out:
      return ui_->AC_Out;
    case ReadoutLabel::PFmin_Out:
      return ui_->PFmin_Out;
    case ReadoutLabel::PFmax_Out:
      return ui_->PFmax_Out;
    case ReadoutLabel::PFabs_Out:
      return ui_->PFabs_Out;
    case ReadoutLabel::PSmin_Out:
      return ui_->PSmin_Out;
    case ReadoutLabel::PSmax_Out:
      return ui_->PSmax_Out;
    case ReadoutLabel::PSabs_Out:
      return ui_->PSabs_Out;
  }
  return nullptr;
}

void TQEL_Display_Frame::ReadDisplay() {
  if (source_ != nullptr) {
    ownRead_ = true;
    const TimedReading& read = source_->ReadNow();
    ownRead_ = false;
    readout_.Show(read.reading, separator_);
    ShowReadout();
    return;
  }
  const bool read =
      WithSession([this](ScpiSession& session) { readout_.ReadDisplay(session, separator_); });
  if (read) ShowReadout();
}

void TQEL_Display_Frame::TimedRead(int intervalMs) {
  if (source_ == nullptr || source_->Leads(sourceClient_, std::chrono::milliseconds(intervalMs))) {
    ReadDisplay();
  }
}

QStringList TQEL_Display_Frame::CaptionsOf(ReadoutLabel label) const {
  switch (label) {
    case ReadoutLabel::DC_Out:
      return {ui_->Label2->text()};
    case ReadoutLabel::AC_Out:
      return {ui_->Label3->text()};
    case ReadoutLabel::PFmin_Out:
      return {ui_->Label16->text(), ui_->Label1->text()};
    case ReadoutLabel::PFmax_Out:
      return {ui_->Label16->text(), ui_->Label5->text()};
    case ReadoutLabel::PFabs_Out:
      return {ui_->Label16->text(), ui_->Label7->text()};
    case ReadoutLabel::PSmin_Out:
      return {ui_->Label15->text(), ui_->Label9->text()};
    case ReadoutLabel::PSmax_Out:
      return {ui_->Label15->text(), ui_->Label11->text()};
    case ReadoutLabel::PSabs_Out:
      return {ui_->Label15->text(), ui_->Label13->text()};
  }
  return {};
}

// A screen reader announces each value label by its caption ("DC", "Fast Peak min", in the
// window's language) and then its reading ("+001,0 G"), which changes with every read.
void TQEL_Display_Frame::ShowReadout() {
  for (std::size_t i = 0; i < kReadoutLabelCount; ++i) {
    const auto label = static_cast<ReadoutLabel>(i);
    QLabel* value = ValueLabel(label);
    value->setText(FromWin1252(readout_.Text(label)));
    value->setAccessibleName(CaptionsOf(label).join(QLatin1Char(' ')));
    value->setAccessibleDescription(value->text().trimmed());
  }
  ShowAcControls(readout_.AcControlsVisible());
  ShowPeakControls(readout_.PeakControlsVisible());
}

void TQEL_Display_Frame::ShowAcControls(bool visible) {
  ui_->Label3->setVisible(visible);
  ui_->AC_Out->setVisible(visible);
}

void TQEL_Display_Frame::ShowPeakControls(bool visible) {
  for (QWidget* widget : std::initializer_list<QWidget*>{
           ui_->Label16, ui_->Label15, ui_->Label1, ui_->Label5, ui_->Label7, ui_->Label9,
           ui_->Label11, ui_->Label13, ui_->PFmin_Out, ui_->PFmax_Out, ui_->PFabs_Out,
           ui_->PSmin_Out, ui_->PSmax_Out, ui_->PSabs_Out, ui_->Reset}) {
    widget->setVisible(visible);
  }
}

void TQEL_Display_Frame::SetRefreshChecked(bool checked) {
  ui_->Refresh->setChecked(checked);
}

void TQEL_Display_Frame::ReadButtonClick() {
  ReadDisplay();
}

void TQEL_Display_Frame::ResetClick() {
  WithSession(DisplayReadout::PeakReset);
}

void TQEL_Display_Frame::RefreshClick() {
  RunWhileChecked(refreshTimer_, *ui_->Refresh);
  if (source_ != nullptr && !ui_->Refresh->isChecked()) source_->Stop(sourceClient_);
}

// The timer is off while a read runs, and the next tick comes a full interval after the
// read has ended, so reads never overlap.
void TQEL_Display_Frame::RefreshTimerTimer() {
  refreshTimer_.stop();
  if (ui_->Refresh->isChecked()) TimedRead(kRefreshIntervalMs);
  if (ui_->Refresh->isChecked()) refreshTimer_.start();
}

}  // namespace qel::gui
