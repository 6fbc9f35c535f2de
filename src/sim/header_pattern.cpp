// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/header_pattern.h"

#include "sim/sim_text.h"

namespace qel::sim {

HeaderPattern::HeaderPattern(std::string_view pattern) : text_(pattern) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= pattern.size(); ++i) {
    if (i != pattern.size() && pattern[i] != ':') continue;
    std::string_view word = pattern.substr(start, i - start);
    start = i + 1;
    Node node;
    if (!word.empty() && word.back() == '#') {
      node.suffix = true;
      word.remove_suffix(1);
    }
    std::size_t shortEnd = 0;
    while (shortEnd < word.size() && !(word[shortEnd] >= 'a' && word[shortEnd] <= 'z')) ++shortEnd;
    node.shortForm = std::string(word.substr(0, shortEnd));
    node.longForm = ToUpperAscii(word);
    nodes_.push_back(std::move(node));
  }
}

bool HeaderPattern::MatchNode(const Node& node, const std::string& word, int& suffix) {
  for (const std::string* form : {&node.shortForm, &node.longForm}) {
    if (word.compare(0, form->size(), *form) != 0) continue;
    const std::string_view rest = std::string_view(word).substr(form->size());
    if (rest.empty()) {
      suffix = 1;
      return true;
    }
    if (!node.suffix || rest.size() > 4) continue;
    bool digits = true;
    for (char c : rest) digits = digits && c >= '0' && c <= '9';
    if (!digits) continue;
    suffix = std::stoi(std::string(rest));
    return true;
  }
  return false;
}

bool HeaderPattern::Match(const std::vector<std::string>& words, std::vector<int>& suffixes) const {
  if (words.size() != nodes_.size()) return false;
  suffixes.clear();
  for (std::size_t i = 0; i < words.size(); ++i) {
    int suffix = 1;
    if (!MatchNode(nodes_[i], words[i], suffix)) return false;
    if (nodes_[i].suffix) suffixes.push_back(suffix);
  }
  return true;
}

}  // namespace qel::sim
