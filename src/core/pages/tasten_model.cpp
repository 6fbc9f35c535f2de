// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/tasten_model.h"

#include <exception>

#include "core/link/scpi_session.h"
#include "core/pages/page_helpers.h"
#include "core/platform/ini_document.h"

namespace qel {

std::string TastenModel::Section() const {
  return "KEYS" + ChannelText(PageKind::Tasten, Tag);
}

UnfitReplies TastenModel::ReadFromDevice(ScpiSession& session) {
  PageReader read(session);
  read.Choice("KEYS:" + ChannelText(PageKind::Tasten, Tag) + ":FUNC?", Funk);
  return read.Unfit();
}

void TastenModel::WriteToDevice(ScpiSession& session) const {
  session.ScpiQuery("KEYS:" + ChannelText(PageKind::Tasten, Tag) + ":FUNC " + Funk.Token());
}

void TastenModel::SaveToIni(IniDocument& file) const {
  Funk.SaveToIni(file, Section(), "FUNC");
}

void TastenModel::LoadFromIni(const IniDocument& file) {
  try {
    Funk.LoadFromIni(file, Section(), "FUNC");
  } catch (const std::exception&) {
    Funk.SetIndex(0);
  }
}

}  // namespace qel
