// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/einheiten_model.h"

#include <array>
#include <exception>

#include "core/link/scpi_session.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

using RangeTexts = std::array<std::string_view, 4>;

// [mode: DC (also PEAK), AC][unit: Tesla, Gauss, Oersted, kA/m]
constexpr std::array<std::array<RangeTexts, 4>, 2> kRangeItemTable = {{
    {{{"10 mT", "100 mT", "1000 mT", "4500 mT (10 T)"},
      {"100 G", "1000 G", "10 kG", "45 kG (100 kG)"},
      {"100 Oe", "1000 Oe", "10 kOe", "45 kOe (100 kOe)"},
      {"10 kA/m", "100 kA/m", "1000 kA/m", "3500 kA/m (8000 kA/m)"}}},
    {{{"10 mT", "100 mT", "1000 mT", "3000 mT (7000 mT)"},
      {"100 G", "1000 G", "10 kG", "30 kG (70 kG)"},
      {"100 Oe", "1000 Oe", "10 kOe", "30 kOe (70 kOe)"},
      {"10 kA/m", "100 kA/m", "1000 kA/m", "2500 kA/m (5600 kA/m)"}}},
}};

}  // namespace

std::span<const std::string_view> RangeItemsFor(int mode, int unit) {
  if (mode < 0 || mode > 2 || unit < 0 || unit > 3) return {};
  return kRangeItemTable[mode == 1 ? 1 : 0][static_cast<std::size_t>(unit)];
}

UnfitReplies EinheitenModel::ReadFromDevice(ScpiSession& session) {
  PageReader read(session);
  read.Choice("MODE?", Mess_Modus);
  read.Choice("RANG?", Bereich);
  read.Choice("UNIT?", Einheit);
  UpdateRangeItems();
  return read.Unfit();
}

void EinheitenModel::WriteToDevice(ScpiSession& session) const {
  session.ScpiQuery("MODE " + Mess_Modus.Token());
  session.ScpiQuery("UNIT " + Einheit.Token());
  session.ScpiQuery("RANG:SET " + Bereich.Token());
}

void EinheitenModel::SaveToIni(IniDocument& file) const {
  Mess_Modus.SaveToIni(file, kSection, "MODE");
  Einheit.SaveToIni(file, kSection, "UNIT");
  Bereich.SaveToIni(file, kSection, "RANG:SET");
}

void EinheitenModel::LoadFromIni(const IniDocument& file) {
  try {
    Mess_Modus.LoadFromIni(file, kSection, "MODE");
    Einheit.LoadFromIni(file, kSection, "UNIT");
    Bereich.LoadFromIni(file, kSection, "RANG:SET");
  } catch (const std::exception&) {
    Mess_Modus.SetIndex(0);
    Einheit.SetIndex(0);
    Bereich.SetIndex(0);
  }
  UpdateRangeItems();
}

void EinheitenModel::UpdateRangeItems() {
  const auto items = RangeItemsFor(Mess_Modus.Index(), Einheit.Index());
  if (!items.empty()) rangeItems_ = items;
}

void EinheitenModel::ModeOrUnitChangedByUser(ScpiSession& session) {
  UpdateRangeItems();
  if (Auto) WriteToDevice(session);
}

void EinheitenModel::RangeChangedByUser(ScpiSession& session) {
  if (Auto) WriteToDevice(session);
}

}  // namespace qel
