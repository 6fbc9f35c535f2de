#pragma once
// "QEL11 Fehler auslesen ": a fixed-size window with the error queue read-out in a text
// field; showing it and its "Retry" button run the read-out. Nothing in the program shows
// it, so it stays hidden for the run.

#include <QWidget>
#include <memory>

#include "core/link/scpi_session.h"

namespace Ui {
class TFehlerform;
}

namespace qel::gui {

class TFehlerform : public QWidget {
  Q_OBJECT

 public:
  explicit TFehlerform(ScpiSession& session, QWidget* parent = nullptr);
  ~TFehlerform() override;

  Ui::TFehlerform& Form() { return *ui_; }

  void FormShow();
  void RetryButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  ScpiSession& session_;
  std::unique_ptr<Ui::TFehlerform> ui_;
};

}  // namespace qel::gui
