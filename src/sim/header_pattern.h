// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A command header as the instrument defines it, e.g. "DGIO:SET:OUTput#:FUNCtion": words
// joined by ":", the upper-case part of a word its short form, the whole word its long
// form, "#" a numeric suffix (1 when left out). A header word matches when it is exactly
// the short or the long form, in any case, followed by digits only where "#" allows them.

#include <string>
#include <string_view>
#include <vector>

namespace qel::sim {

class HeaderPattern {
 public:
  explicit HeaderPattern(std::string_view pattern);

  // `words` are upper case (as the parser hands them out). On a match, `suffixes`
  // receives one value per "#" word, in order.
  bool Match(const std::vector<std::string>& words, std::vector<int>& suffixes) const;

  const std::string& text() const { return text_; }

 private:
  struct Node {
    std::string shortForm;
    std::string longForm;
    bool suffix = false;
  };
  static bool MatchNode(const Node& node, const std::string& word, int& suffix);

  std::string text_;
  std::vector<Node> nodes_;
};

}  // namespace qel::sim
