// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/service/HardCopyUnit.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstring>

#include "core/platform/native_path.h"
#include "core/service/jpeg_writer.h"
#include "gui/common/file_path.h"
#include "gui/common/text_codec.h"
#include "gui/common/timer_switch.h"
#include "ui_HardCopyUnit.h"

namespace qel::gui {

QImage ToQImage(const RgbImage& image) {
  QImage result(image.Width(), image.Height(), QImage::Format_RGB888);
  for (int y = 0; y < image.Height(); ++y) {
    std::memcpy(result.scanLine(y), image.Row(y), 3 * static_cast<std::size_t>(image.Width()));
  }
  return result;
}

THardCopyForm::THardCopyForm(ScpiSession& session, QWidget* parent)
    : RunWindow(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      session_(session),
      ui_(std::make_unique<Ui::THardCopyForm>()) {
  ui_->setupUi(this);
  // The panel has the display's colour, so the picture looks like the lit display.
  QPalette panel = ui_->Panel1->palette();
  panel.setColor(QPalette::Window,
                 QColor(kHardcopyBackground.r, kHardcopyBackground.g, kHardcopyBackground.b));
  ui_->Panel1->setPalette(panel);
  ui_->Panel1->setAutoFillBackground(true);
  ui_->Image3->setFixedSize(kPictureWidth, kPictureHeight);
  ui_->Image3->setPixmap(QPixmap::fromImage(ToQImage(hardcopy_.Picture())));

  timer2_.setSingleShot(true);
  timer2_.setInterval(kContinuousCapturePauseMs);
  connect(&timer2_, &QTimer::timeout, this, &THardCopyForm::Timer2Timer);
  connect(ui_->GetHardcopy, &QPushButton::clicked, this, &THardCopyForm::GetHardcopyClick);
  connect(ui_->HCcont, &QCheckBox::toggled, this, &THardCopyForm::HCcontClick);
  connect(ui_->Button1, &QPushButton::clicked, this, &THardCopyForm::Button1Click);
  ReportError = [this](const QString& message) {
    QMessageBox::critical(this, windowTitle(), message);
  };
}

THardCopyForm::~THardCopyForm() = default;

// A capture that got no reply at all leaves the picture and the clipboard as they were:
// replacing them with a stale or blank picture would pass for the display's content.
void THardCopyForm::GetHardcopyClick() {
  if (hardcopy_.GetHardcopy(session_) == CaptureStatus::NoReply) return;
  ui_->Image3->setPixmap(QPixmap::fromImage(ToQImage(hardcopy_.Picture())));
  image1_ = ToQImage(hardcopy_.Composed());
  QGuiApplication::clipboard()->setImage(image1_);
}

void THardCopyForm::HCcontClick() {
  RunWhileChecked(timer2_, *ui_->HCcont);
}

// Timer2 is single-shot: it is off while the capture runs, and the next pause starts
// only when the capture is over.
void THardCopyForm::Timer2Timer() {
  timer2_.stop();
  GetHardcopyClick();
  if (ui_->HCcont->isChecked()) timer2_.start();
}

void THardCopyForm::Button1Click() {
  const std::string proposal = hardcopy_.SaveNames().ProposeFileName(dialogFileName_);
  dialogFileName_ = proposal;
  QString proposalPath = FromFilePath(PathFromUtf8(proposal));
  if (!dialogFolder_.isEmpty() && !proposalPath.isEmpty()) {
    proposalPath = QDir(dialogFolder_).filePath(proposalPath);
  }
  const std::optional<QString> chosen =
      SaveDialog1 ? SaveDialog1(proposalPath) : ShowSaveDialog(proposalPath);
  if (!chosen || chosen->isEmpty()) return;

  const QFileInfo file(*chosen);
  dialogFolder_ = file.absolutePath();
  dialogFileName_ = PathToUtf8(ToFilePath(file.fileName()));
  try {
    hardcopy_.SaveAs(ToFilePath(*chosen));
  } catch (const JpegWriteError& error) {
    ReportError(WriteErrorText(error.Path()));
  } catch (const JpegError& error) {
    ReportError(FromWin1252(error.what()));
  }
}

std::optional<QString> THardCopyForm::ShowSaveDialog(const QString& proposal) {
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("JPG Bild (*.jpg)"));
  dialog.setDefaultSuffix(QStringLiteral("jpg"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!dialogFolder_.isEmpty()) dialog.setDirectory(dialogFolder_);
  if (!proposal.isEmpty()) dialog.selectFile(proposal);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace qel::gui
