// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Hardcopy  -> Clipart": copies the picture the instrument's display shows now. Reads the
// display memory, draws it at twice its size, composes the framed image, puts that on
// the clipboard and, on request, saves it as a JPEG file. "Dauer" repeats the capture with
// a pause of 20 ms after each one, so captures never overlap. Always on top of other
// windows; closing only hides it (a running "Dauer" goes on).

#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "core/link/scpi_session.h"
#include "core/service/hardcopy.h"
#include "gui/common/run_window.h"

namespace Ui {
class THardCopyForm;
}

namespace qel::gui {

QImage ToQImage(const RgbImage& image);

class THardCopyForm : public RunWindow {
  Q_OBJECT

 public:
  explicit THardCopyForm(ScpiSession& session, QWidget* parent = nullptr);
  ~THardCopyForm() override;

  Ui::THardCopyForm& Form() { return *ui_; }
  QTimer& Timer2() { return timer2_; }
  const Hardcopy& Model() const { return hardcopy_; }
  // The composed image (Image1): what went to the clipboard last; null before that.
  const QImage& Image1() const { return image1_; }

  // The save dialog: gets the proposed file name (folder included once one was chosen),
  // returns the chosen path or nothing when cancelled. A file dialog unless replaced.
  std::function<std::optional<QString>(const QString& proposal)> SaveDialog1;
  // The application's general error report (a message box unless replaced).
  std::function<void(const QString& message)> ReportError;

  void GetHardcopyClick();  // "Get > Clipart"
  void HCcontClick();       // "Dauer"
  void Timer2Timer();
  void Button1Click();  // "Save"

 private:
  std::optional<QString> ShowSaveDialog(const QString& proposal);

  ScpiSession& session_;
  std::unique_ptr<Ui::THardCopyForm> ui_;
  Hardcopy hardcopy_;
  QImage image1_;
  QTimer timer2_;
  // What the save dialog holds between showings: its folder and its file name.
  QString dialogFolder_;
  std::string dialogFileName_;
};

}  // namespace qel::gui
