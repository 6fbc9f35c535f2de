// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/diag/FehlerLesenUnit.h"

#include <QShowEvent>

#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"
#include "ui_FehlerLesenUnit.h"

namespace qel::gui {

TFehlerform::TFehlerform(ScpiSession& session, QWidget* parent)
    : RunWindow(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      session_(session),
      ui_(std::make_unique<Ui::TFehlerform>()) {
  ui_->setupUi(this);
  connect(ui_->RetryButton, &QPushButton::clicked, this, &TFehlerform::RetryButtonClick);
}

TFehlerform::~TFehlerform() = default;

void TFehlerform::FormShow() {
  ReadErrorQueueInto(session_, *ui_->Memo1);
}

void TFehlerform::RetryButtonClick() {
  ReadErrorQueueInto(session_, *ui_->Memo1);
}

// Each showing reads the queue again; a spontaneous show (the window system restoring a
// minimised window) is no new showing.
void TFehlerform::showEvent(QShowEvent* event) {
  RunWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

}  // namespace qel::gui
