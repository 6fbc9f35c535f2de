// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"

#include "gui/common/text_codec.h"
#include "ui_SCPI_FehlerLesen_Frame_Unit.h"

namespace qel::gui {

void ShowErrorQueueReadout(QPlainTextEdit& memo, const ErrorQueueReadout& readout) {
  memo.clear();
  for (const std::string& line : readout.lines) memo.appendPlainText(FromWin1252(line));
}

void ReadErrorQueueInto(ScpiSession& session, QPlainTextEdit& memo) {
  ShowErrorQueueReadout(memo, qel::ReadErrorQueue(session));
}

TSCPI_Fehler_Frame::TSCPI_Fehler_Frame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TSCPI_Fehler_Frame>()) {
  ui_->setupUi(this);
  connect(ui_->Button1, &QPushButton::clicked, this, &TSCPI_Fehler_Frame::Button1Click);
}

TSCPI_Fehler_Frame::~TSCPI_Fehler_Frame() = default;

void TSCPI_Fehler_Frame::Button1Click() {
  ReadErrorQueue();
}

void TSCPI_Fehler_Frame::ReadErrorQueue() {
  WithSession([this](ScpiSession& session) { ReadErrorQueueInto(session, *ui_->Memo1); });
}

}  // namespace qel::gui
