// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device information page: the instrument's and its probe's identity as twelve rows
// of caption and value. Filled only when the user presses "Lesen"; showing the tab reads
// nothing. Placed on the main window's " Gerätedaten " tab, which binds it to the run's
// session and the caption translation.

#include <QWidget>
#include <memory>

#include "core/diag/device_info.h"
#include "gui/common/session_binding.h"

namespace Ui {
class TInfo_Frame;
}

namespace qel::gui {

class TInfo_Frame : public QWidget, public SessionBinding {
  Q_OBJECT

 public:
  explicit TInfo_Frame(QWidget* parent = nullptr);
  ~TInfo_Frame() override;

  // The page reaches the instrument through `session`; its captions go through
  // `translate` (the dictionary when the windows were translated at start). Unbound, the
  // page reads nothing.
  void Bind(ScpiSession& session, CaptionTranslator translate);

  Ui::TInfo_Frame& Form() { return *ui_; }

  void ReadClick();       // "Lesen"
  void ReadDeviceInfo();  // the nine queries, the twelve rows, the column widths

 private:
  void ShowRows(const DeviceInfo& info);

  std::unique_ptr<Ui::TInfo_Frame> ui_;
  CaptionTranslator translate_;
};

}  // namespace qel::gui
