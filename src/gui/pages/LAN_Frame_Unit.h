// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The LAN page: the instrument's IPv4 address and subnet mask, each a dotted-address
// entry of four octet fields.

#include <QWidget>
#include <memory>

#include "core/pages/lan_model.h"
#include "gui/pages/bound_frame.h"

namespace Ui {
class TLANFrame;
}

namespace qel::gui {

class TLANFrame : public QWidget, public BoundFrame<LANModel> {
  Q_OBJECT

 public:
  explicit TLANFrame(QWidget* parent = nullptr);
  ~TLANFrame() override;

  Ui::TLANFrame& Form() { return *ui_; }
  void SetCaption(const QString& caption);
  // "Lesen" and "Schreiben" (the main window hides them).
  void SetButtonsVisible(bool visible);

 private:
  std::unique_ptr<Ui::TLANFrame> ui_;
};

}  // namespace qel::gui
