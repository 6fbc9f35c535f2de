// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/out_line_model.h"

#include <exception>

#include "core/link/scpi_session.h"
#include "core/pages/page_helpers.h"

namespace qel {
namespace {

constexpr std::string_view kFuncKey = "DGIO:SET:OUT:FUNC";
constexpr std::string_view kLogKey = "DGIO:SET:OUT:LOG";
constexpr std::string_view kHighKey = "DGIO:SET:OUT:LIMI:HIGH";
constexpr std::string_view kLowKey = "DGIO:SET:OUT:LIMI:LOW";

}  // namespace

OutLineEnabling OutLineEnablingFor(int functionPosition) {
  const int p = functionPosition;
  return {p >= 2 && p <= 7, p == 2 || p == 4 || p == 5, p >= 3 && p <= 5};
}

std::string OutLineModel::Section() const {
  return "Output" + ChannelText(PageKind::OutLine, Tag);
}

std::string OutLineModel::Header() const {
  return "DGIO:SET:OUT" + ChannelText(PageKind::OutLine, Tag);
}

UnfitReplies OutLineModel::ReadFromDevice(ScpiSession& session) {
  const std::string header = Header();
  PageReader read(session);
  read.Choice(header + ":FUNC?", Funk);
  read.Choice(header + ":LOG?", Logic);
  OG.SetText(read.Limit(header + ":LIMI:HIGH?"));
  UG.SetText(read.Limit(header + ":LIMI:LOW?"));
  return read.Unfit();
}

void OutLineModel::WriteToDevice(ScpiSession& session) const {
  const std::string header = Header();
  session.ScpiQuery(header + ":FUNC " + Funk.Token());
  session.ScpiQuery(header + ":LOG " + Logic.Token());
  OG.WriteToDevice(session, header + ":LIMI:HIGH");
  UG.WriteToDevice(session, header + ":LIMI:LOW");
}

void OutLineModel::SaveToIni(IniDocument& file) const {
  const std::string section = Section();
  Funk.SaveToIni(file, section, kFuncKey);
  Logic.SaveToIni(file, section, kLogKey);
  OG.SaveToIni(file, section, kHighKey);
  UG.SaveToIni(file, section, kLowKey);
}

void OutLineModel::LoadFromIni(const IniDocument& file) {
  const std::string section = Section();
  try {
    Funk.LoadFromIni(file, section, kFuncKey);
    Logic.LoadFromIni(file, section, kLogKey);
    OG.LoadFromIni(file, section, kHighKey);
    UG.LoadFromIni(file, section, kLowKey);
  } catch (const std::exception&) {
    Funk.SetIndex(0);
    Logic.SetIndex(0);
  }
}

}  // namespace qel
