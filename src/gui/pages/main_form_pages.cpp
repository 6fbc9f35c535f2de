#include "gui/pages/main_form_pages.h"

#include <QDir>
#include <QFile>

#include "gui/app/text_codec.h"
#include "gui/pages/EIA232_Frame_Unit.h"
#include "gui/pages/Einheiten_Frame_Unit.h"
#include "gui/pages/InLineFunktion_Frame_Unit.h"
#include "gui/pages/LAN_Frame_Unit.h"
#include "gui/pages/OutLineFunktion_Frame_Unit.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "gui/pages/TastenFunktion_Frame_Unit.h"

namespace qel::gui {

namespace {

std::string FileSystemPath(const QString& path) {
  return ToPathBytes(path);
}

}  // namespace

MainFormPages::MainFormPages(const MainFormFrames& f, AppContext& context) : context_(context) {
  f.EinheitenFrame1->Bind(pages_.EinheitenFrame1, context);
  OutLineModel* const outputs[] = {&pages_.OutLineFrame1, &pages_.OutLineFrame2,
                                   &pages_.OutLineFrame3, &pages_.OutLineFrame4};
  for (std::size_t i = 0; i < f.OutLineFrames.size(); ++i) {
    f.OutLineFrames[i]->Bind(*outputs[i], context);
    f.OutLineFrames[i]->SetCaption(QStringLiteral(" Ausgang %1 ").arg(outputs[i]->Tag));
  }
  InLineModel* const inputs[] = {&pages_.InLineFrame1, &pages_.InLineFrame2, &pages_.InLineFrame3};
  for (std::size_t i = 0; i < f.InLineFrames.size(); ++i) {
    f.InLineFrames[i]->Bind(*inputs[i], context);
    f.InLineFrames[i]->SetCaption(QStringLiteral(" Eingang %1  ").arg(inputs[i]->Tag));
  }
  f.TastenFrame1->Bind(pages_.TastenFrame1, context);
  f.TastenFrame2->Bind(pages_.TastenFrame2, context);
  f.LANFrame1->Bind(pages_.LANFrame1, context);
  f.EIA232Frame1->Bind(pages_.EIA232Frame1, context);
  f.QEL_Display_Frame1->Bind(context);
  frames_ = {f.EinheitenFrame1,  f.OutLineFrames[0], f.OutLineFrames[1], f.OutLineFrames[2],
             f.OutLineFrames[3], f.InLineFrames[0],  f.InLineFrames[1],  f.InLineFrames[2],
             f.TastenFrame1,     f.TastenFrame2,     f.LANFrame1,        f.EIA232Frame1};

  // The measurement and LAN pages keep their own captions.
  f.EIA232Frame1->SetCaption(QStringLiteral(" EIA 232 Schnittstelle "));
  f.TastenFrame1->SetCaption(QStringLiteral(" Tastenfunktion Obere Taste   "));
  f.TastenFrame2->SetCaption(QStringLiteral(" Tastenfunktion Untere Taste   "));

  // All pages are read and written at once with the store group's buttons.
  f.EinheitenFrame1->SetOwnControlsVisible(false);
  f.LANFrame1->SetButtonsVisible(false);
  f.TastenFrame1->SetButtonsVisible(false);
  f.TastenFrame2->SetButtonsVisible(false);
}

MainFormPages::~MainFormPages() {
  for (ParameterFrame* frame : frames_) frame->Unbind();
}

void MainFormPages::CopyToModels() {
  for (ParameterFrame* frame : frames_) frame->CopyToModel();
}

void MainFormPages::CopyFromModels() {
  for (ParameterFrame* frame : frames_) frame->CopyFromModel();
}

void MainFormPages::ReadAll() {
  CopyToModels();
  if (context_.session != nullptr) pages_.ReadAll(*context_.session);
  CopyFromModels();
}

void MainFormPages::WriteAll() {
  CopyToModels();
  if (context_.session != nullptr) pages_.WriteAll(*context_.session);
}

void MainFormPages::SaveParameterFile(const QString& path, const ParameterFileInfo& info) {
  CopyToModels();
  qel::SaveParameterFile(FileSystemPath(path), pages_, info);
}

void MainFormPages::LoadParameterFile(const QString& path) {
  CopyToModels();
  qel::LoadParameterFile(FileSystemPath(path), pages_);
  CopyFromModels();
}

QString MainFormPages::WriteErrorText(const QString& path) {
  return QStringLiteral("In %1 kann nicht geschrieben werden").arg(QDir::toNativeSeparators(path));
}

}  // namespace qel::gui
