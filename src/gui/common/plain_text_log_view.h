// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modules USB_HID_Connect_Unit and SCPI_Test_Unit (their Memo).
// A LogView over a QPlainTextEdit: the link window's Memo and the console's log. Lines a
// user typed into the widget count like the others when the log trims itself.

#include <QPlainTextEdit>

#include "core/link/log_view.h"

namespace qel::gui {

class PlainTextLogView : public LogView {
 public:
  explicit PlainTextLogView(QPlainTextEdit* edit) : edit_(edit) {}

  std::size_t LineCount() const override;
  void DeleteFirstLine() override;
  void AppendLine(const std::string& line) override;
  void Clear() override;

 private:
  QPlainTextEdit* edit_;
};

}  // namespace qel::gui
