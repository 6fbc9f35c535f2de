#pragma once
// The device information page: the instrument's and its probe's identity as twelve rows
// of caption and value. Filled only when the user presses "Lesen"; showing the tab reads
// nothing. Placed on the main window's " Gerätedaten " tab, which binds it to the run's
// shared objects once both exist.

#include <QWidget>
#include <memory>

#include "core/diag/device_info.h"
#include "gui/app/app_context.h"

namespace Ui {
class TInfo_Frame;
}

namespace qel::gui {

class TInfo_Frame : public QWidget {
  Q_OBJECT

 public:
  explicit TInfo_Frame(QWidget* parent = nullptr);
  ~TInfo_Frame() override;

  // The page reaches the instrument through the context's session, looked up at each read
  // (the session exists only once the link window is created).
  void Bind(AppContext& context);

  Ui::TInfo_Frame& Form() { return *ui_; }

  void ReadClick();       // "Lesen"
  void ReadDeviceInfo();  // the nine queries, the twelve rows, the column widths

 private:
  void ShowRows(const DeviceInfo& info);

  std::unique_ptr<Ui::TInfo_Frame> ui_;
  AppContext* context_ = nullptr;
};

}  // namespace qel::gui
