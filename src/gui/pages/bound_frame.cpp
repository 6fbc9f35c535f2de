// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/bound_frame.h"

#include <QPushButton>

namespace qel::gui {

void ParameterFrame::ReadFromDevice() {
  CopyToModel();
  WithSession([this](ScpiSession& session) { Page().ReadFromDevice(session); });
  CopyFromModel();
}

void ParameterFrame::WriteToDevice() {
  CopyToModel();
  WithSession([this](ScpiSession& session) { Page().WriteToDevice(session); });
}

void ParameterFrame::CopyToModel() {
  for (const auto& editor : editors_) editor->ToModel();
}

void ParameterFrame::CopyFromModel() {
  for (const auto& editor : editors_) editor->FromModel();
  ModelShown();
}

void ParameterFrame::ConnectButtons(QObject& frame, QPushButton& read, QPushButton& write) {
  QObject::connect(&read, &QPushButton::clicked, &frame, [this] { ReadFromDevice(); });
  QObject::connect(&write, &QPushButton::clicked, &frame, [this] { WriteToDevice(); });
}

}  // namespace qel::gui
