// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/in_line_model.h"

#include <exception>

#include "core/link/scpi_session.h"
#include "core/pages/page_helpers.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

constexpr std::string_view kInFuncKey = "DGIO:SET:IN:FUNC";
constexpr std::string_view kInLogKey = "DGIO:SET:IN:LOG";

}  // namespace

std::string InLineModel::Section() const {
  return "Input" + ChannelText(PageKind::InLine, Tag);
}

std::string InLineModel::Header() const {
  return "DGIO:SET:IN" + ChannelText(PageKind::InLine, Tag);
}

UnfitReplies InLineModel::ReadFromDevice(ScpiSession& session) {
  const std::string header = Header();
  PageReader read(session);
  read.Choice(header + ":FUNC?", Funk);
  read.Choice(header + ":LOG?", Logic);
  return read.Unfit();
}

void InLineModel::WriteToDevice(ScpiSession& session) const {
  const std::string header = Header();
  session.ScpiQuery(header + ":FUNC " + Funk.Token());
  session.ScpiQuery(header + ":LOG " + Logic.Token());
}

void InLineModel::SaveToIni(IniDocument& file) const {
  const std::string section = Section();
  Funk.SaveToIni(file, section, kInFuncKey);
  Logic.SaveToIni(file, section, kInLogKey);
}

void InLineModel::LoadFromIni(const IniDocument& file) {
  const std::string section = Section();
  try {
    Funk.LoadFromIni(file, section, kInFuncKey);
    Logic.LoadFromIni(file, section, kInLogKey);
  } catch (const std::exception&) {
    Funk.SetIndex(0);
    Logic.SetIndex(0);
  }
}

}  // namespace qel
