// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/choice_setting.h"

#include <climits>

#include "core/pages/page_helpers.h"
#include "core/platform/ini_document.h"
#include "core/platform/profile_values.h"

namespace qel {

ChoiceSetting::ChoiceSetting(const ChoiceList& list, int index)
    : list_(&list), count_(TokenCount(list.tokens)) {
  SetIndex(index);
}

void ChoiceSetting::SetIndex(int index) {
  index_ = index >= 0 && index < count_ ? index : -1;
}

std::string ChoiceSetting::Token() const {
  return IndexToToken(index_, list_->tokens);
}

void ChoiceSetting::SetFromReply(std::string_view reply) {
  index_ = TokenToIndex(reply, list_->tokens);
}

void ChoiceSetting::SaveToIni(IniDocument& file, std::string_view section,
                              std::string_view key) const {
  file.WriteString(section, key, std::to_string(index_));
}

void ChoiceSetting::LoadFromIni(const IniDocument& file, std::string_view section,
                                std::string_view key, int defaultIndex) {
  // As an integer key of a profile file: decimal, or hexadecimal after "0x" or "$".
  const auto number = ParseProfileInt(file.ReadString(section, key, ""));
  if (number && *number >= INT_MIN && *number <= INT_MAX) {
    SetIndex(static_cast<int>(*number));
  } else {
    SetIndex(defaultIndex);
  }
}

}  // namespace qel
