// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/main_form_pages.h"

#include "gui/common/file_path.h"
#include "gui/pages/EIA232_Frame_Unit.h"
#include "gui/pages/Einheiten_Frame_Unit.h"
#include "gui/pages/InLineFunktion_Frame_Unit.h"
#include "gui/pages/LAN_Frame_Unit.h"
#include "gui/pages/OutLineFunktion_Frame_Unit.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "gui/pages/TastenFunktion_Frame_Unit.h"

namespace qel::gui {

MainFormPages::MainFormPages(const MainFormFrames& f, ScpiSession& session) : session_(session) {
  f.EinheitenFrame1->Bind(pages_.EinheitenFrame1, session);
  OutLineModel* const outputs[] = {&pages_.OutLineFrame1, &pages_.OutLineFrame2,
                                   &pages_.OutLineFrame3, &pages_.OutLineFrame4};
  for (std::size_t i = 0; i < f.OutLineFrames.size(); ++i) {
    f.OutLineFrames[i]->Bind(*outputs[i], session);
    f.OutLineFrames[i]->SetCaption(QStringLiteral(" Ausgang %1 ").arg(outputs[i]->Tag));
  }
  InLineModel* const inputs[] = {&pages_.InLineFrame1, &pages_.InLineFrame2, &pages_.InLineFrame3};
  for (std::size_t i = 0; i < f.InLineFrames.size(); ++i) {
    f.InLineFrames[i]->Bind(*inputs[i], session);
    f.InLineFrames[i]->SetCaption(QStringLiteral(" Eingang %1  ").arg(inputs[i]->Tag));
  }
  f.TastenFrame1->Bind(pages_.TastenFrame1, session);
  f.TastenFrame2->Bind(pages_.TastenFrame2, session);
  f.LANFrame1->Bind(pages_.LANFrame1, session);
  f.EIA232Frame1->Bind(pages_.EIA232Frame1, session);
  f.QEL_Display_Frame1->Bind(session);
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
  pages_.ReadAll(session_);
  CopyFromModels();
}

void MainFormPages::WriteAll() {
  CopyToModels();
  pages_.WriteAll(session_);
}

void MainFormPages::SaveParameterFile(const QString& path, const ParameterFileInfo& info) {
  CopyToModels();
  qel::SaveParameterFile(ToFilePath(path), pages_, info);
}

void MainFormPages::LoadParameterFile(const QString& path) {
  CopyToModels();
  qel::LoadParameterFile(ToFilePath(path), pages_);
  CopyFromModels();
}

}  // namespace qel::gui
