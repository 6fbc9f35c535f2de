#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"

#include "gui/app/text_codec.h"
#include "ui_SCPI_FehlerLesen_Frame_Unit.h"

namespace qel::gui {

void ShowErrorQueueReadout(QPlainTextEdit& memo, const ErrorQueueReadout& readout) {
  memo.clear();
  for (const std::string& line : readout.lines) memo.appendPlainText(FromWin1252(line));
}

void ReadErrorQueueInto(AppContext& context, QPlainTextEdit& memo) {
  if (context.session == nullptr) return;
  ShowErrorQueueReadout(memo, qel::ReadErrorQueue(*context.session));
}

TSCPI_Fehler_Frame::TSCPI_Fehler_Frame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TSCPI_Fehler_Frame>()) {
  ui_->setupUi(this);
  connect(ui_->Button1, &QPushButton::clicked, this, &TSCPI_Fehler_Frame::Button1Click);
}

TSCPI_Fehler_Frame::~TSCPI_Fehler_Frame() = default;

void TSCPI_Fehler_Frame::Bind(AppContext& context) {
  context_ = &context;
}

void TSCPI_Fehler_Frame::Button1Click() {
  ReadErrorQueue();
}

void TSCPI_Fehler_Frame::ReadErrorQueue() {
  if (context_ != nullptr) ReadErrorQueueInto(*context_, *ui_->Memo1);
}

}  // namespace qel::gui
