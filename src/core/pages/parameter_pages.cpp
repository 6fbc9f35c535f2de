// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/parameter_pages.h"

#include <string>

#include "core/link/scpi_session.h"

namespace qel {

ParameterPages::ParameterPages() {
  EinheitenFrame1.Bereich.SetIndex(3);
}

std::array<ParameterPage*, ParameterPages::kPageCount> ParameterPages::InPageOrder() {
  return {&EinheitenFrame1, &OutLineFrame1, &OutLineFrame2, &OutLineFrame3,
          &OutLineFrame4,   &InLineFrame1,  &InLineFrame2,  &InLineFrame3,
          &TastenFrame1,    &TastenFrame2,  &LANFrame1,     &EIA232Frame1};
}

std::array<const ParameterPage*, ParameterPages::kPageCount> ParameterPages::InPageOrder() const {
  return {&EinheitenFrame1, &OutLineFrame1, &OutLineFrame2, &OutLineFrame3,
          &OutLineFrame4,   &InLineFrame1,  &InLineFrame2,  &InLineFrame3,
          &TastenFrame1,    &TastenFrame2,  &LANFrame1,     &EIA232Frame1};
}

UnfitReplies ParameterPages::ReadAll(ScpiSession& session) {
  UnfitReplies unfit;
  for (ParameterPage* page : InPageOrder()) {
    const UnfitReplies pageUnfit = page->ReadFromDevice(session);
    unfit.insert(unfit.end(), pageUnfit.begin(), pageUnfit.end());
  }
  return unfit;
}

void ParameterPages::WriteAll(ScpiSession& session) const {
  for (const ParameterPage* page : InPageOrder()) page->WriteToDevice(session);
}

void ParameterPages::Store(ScpiSession& session) {
  session.ScpiQuery(std::string(kStoreLine));
}

void ParameterPages::SaveAll(IniDocument& file) const {
  for (const ParameterPage* page : InPageOrder()) page->SaveToIni(file);
}

void ParameterPages::LoadAll(const IniDocument& file) {
  for (ParameterPage* page : InPageOrder()) page->LoadFromIni(file);
}

}  // namespace qel
