// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A choice box's value: a position in a token list (and its item list), -1 for nothing
// selected. The GUI's combo box editor binds to one of these.

#include <span>
#include <string>
#include <string_view>

#include "core/pages/choice_lists.h"

namespace qel {

class IniDocument;

class ChoiceSetting {
 public:
  // `list` must outlive the setting (the lists are constants).
  explicit ChoiceSetting(const ChoiceList& list, int index = 0);

  int Index() const { return index_; }
  // A position outside the list leaves the box without selection (-1), as a combo box
  // does.
  void SetIndex(int index);
  bool HasSelection() const { return index_ >= 0; }

  int Count() const { return count_; }
  std::string_view Tokens() const { return list_->tokens; }
  std::span<const std::string_view> Items() const { return list_->items; }

  // The token of the selected item; empty text without selection.
  std::string Token() const;
  // Selects the item whose token equals the reply (TokenToIndex); -1 when none does.
  void SetFromReply(std::string_view reply);

  // Stored as the decimal position ("-1" without selection). A missing key or a value
  // that is no number loads `defaultIndex`; a number outside the list, no selection.
  void SaveToIni(IniDocument& file, std::string_view section, std::string_view key) const;
  void LoadFromIni(const IniDocument& file, std::string_view section, std::string_view key,
                   int defaultIndex = 0);

 private:
  const ChoiceList* list_;
  int count_;
  int index_ = -1;
};

}  // namespace qel
