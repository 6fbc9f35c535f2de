// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/plain_text_log_view.h"

#include <QTextBlock>
#include <QTextCursor>

#include "gui/common/text_codec.h"

namespace qel::gui {

std::size_t PlainTextLogView::LineCount() const {
  const QTextDocument* document = edit_->document();
  // An empty document still has one (empty) block.
  if (document->isEmpty()) return 0;
  return static_cast<std::size_t>(document->blockCount());
}

void PlainTextLogView::DeleteFirstLine() {
  QTextDocument* document = edit_->document();
  if (document->isEmpty()) return;
  QTextCursor cursor(document->firstBlock());
  cursor.select(QTextCursor::BlockUnderCursor);
  if (document->blockCount() > 1) {
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);  // its line end
  }
  cursor.removeSelectedText();
}

void PlainTextLogView::AppendLine(const std::string& line) {
  // The display shows a control character as a blank; the line itself stays one line.
  QString text = FromWin1252(line);
  for (QChar& c : text) {
    if (c == QChar('\n') || c == QChar('\r') || c == QChar(0)) c = QChar(' ');
  }
  edit_->appendPlainText(text);
}

void PlainTextLogView::Clear() {
  edit_->clear();
}

}  // namespace qel::gui
