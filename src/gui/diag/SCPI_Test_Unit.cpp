// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/diag/SCPI_Test_Unit.h"

#include <QFontDatabase>
#include <QKeyEvent>

#include "gui/common/text_codec.h"
#include "ui_SCPI_Test_Unit.h"

namespace qel::gui {

TSCPI_Test_Form::TSCPI_Test_Form(ScpiSession& session, QWidget* parent)
    : RunWindow(parent), session_(session), ui_(std::make_unique<Ui::TSCPI_Test_Form>()) {
  ui_->setupUi(this);
  ui_->Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  log_ = std::make_unique<PlainTextLogView>(ui_->Memo);
  session_.SetProtocolLog(log_.get());

  popupMenu1_ = new QMenu(ui_->Memo);
  popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  send1_ = popupMenu1_->addAction(QStringLiteral("Send"));
  send1_->setObjectName(QStringLiteral("Send1"));
  connect(send1_, &QAction::triggered, this, &TSCPI_Test_Form::Send1Click);
  connect(ui_->Memo, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenu1Popup();
    popupMenu1_->popup(ui_->Memo->viewport()->mapToGlobal(at));
  });
  connect(ui_->Button1, &QPushButton::clicked, this, &TSCPI_Test_Form::Button1Click);
  ui_->SndText->installEventFilter(this);
}

TSCPI_Test_Form::~TSCPI_Test_Form() {
  session_.SetProtocolLog(nullptr);
}

bool TSCPI_Test_Form::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->SndText && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      SndTextKeyPress();
      return true;  // swallowed: the field keeps its text, Enter again repeats it
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TSCPI_Test_Form::SndTextKeyPress() {
  session_.ScpiQuery(ToWin1252(ui_->SndText->text()));
}

void TSCPI_Test_Form::PopupMenu1Popup() {
  send1_->setEnabled(ui_->Memo->textCursor().hasSelection());
}

void TSCPI_Test_Form::Send1Click() {
  const QTextCursor cursor = ui_->Memo->textCursor();
  if (!cursor.hasSelection()) return;
  // A selection over several lines holds U+2029 between them; it is sent as a line end.
  QString selected = cursor.selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  ui_->SndText->setText(selected);
  SndTextKeyPress();
}

void TSCPI_Test_Form::Button1Click() {
  ui_->Memo->clear();
}

}  // namespace qel::gui
