// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/eia232_model.h"

#include <array>
#include <exception>
#include <string>

#include "core/link/scpi_session.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

// Each setting's header is its line header and its key in the parameter file.
constexpr std::array<std::string_view, 4> kHeaders = {"SERI:COMA:BAUD", "SERI:COMA:STOP",
                                                      "SERI:COMA:PARY", "SERI:COMA:MODE"};

}  // namespace

UnfitReplies EIA232Model::ReadFromDevice(ScpiSession& session) {
  const std::array<ChoiceSetting*, 4> settings = {&Baud, &StopBit, &Parity, &Mode};
  PageReader read(session);
  for (std::size_t i = 0; i < kHeaders.size(); ++i) {
    read.Choice(std::string(kHeaders[i]) + "?", *settings[i]);
  }
  return read.Unfit();
}

void EIA232Model::WriteToDevice(ScpiSession& session) const {
  const std::array<const ChoiceSetting*, 4> settings = {&Baud, &StopBit, &Parity, &Mode};
  for (std::size_t i = 0; i < kHeaders.size(); ++i) {
    session.ScpiQuery(std::string(kHeaders[i]) + " " + settings[i]->Token());
  }
}

void EIA232Model::SaveToIni(IniDocument& file) const {
  const std::array<const ChoiceSetting*, 4> settings = {&Baud, &StopBit, &Parity, &Mode};
  for (std::size_t i = 0; i < kHeaders.size(); ++i) {
    settings[i]->SaveToIni(file, kSection, kHeaders[i]);
  }
}

void EIA232Model::LoadFromIni(const IniDocument& file) {
  const std::array<ChoiceSetting*, 4> settings = {&Baud, &StopBit, &Parity, &Mode};
  try {
    for (std::size_t i = 0; i < kHeaders.size(); ++i) {
      settings[i]->LoadFromIni(file, kSection, kHeaders[i]);
    }
  } catch (const std::exception&) {
    for (ChoiceSetting* setting : settings) setting->SetIndex(0);
  }
}

}  // namespace qel
