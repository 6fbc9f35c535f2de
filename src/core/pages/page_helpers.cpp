// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/page_helpers.h"

#include <algorithm>
#include <cstddef>

#include "core/pages/number_text.h"
#include "core/text/ascii.h"

namespace qel {

int TokenToIndex(std::string_view reply, std::string_view tokens) {
  int index = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = tokens.find(',', start);
    const std::string_view token = tokens.substr(start, comma - start);
    if (AsciiEqualsNoCase(reply, token)) return index;
    if (comma == std::string_view::npos) return -1;
    start = comma + 1;
    ++index;
  }
}

std::string IndexToToken(int index, std::string_view tokens) {
  if (index < 0) return {};
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    const std::size_t comma = tokens.find(',', start);
    if (comma == std::string_view::npos) return {};
    start = comma + 1;
  }
  return std::string(tokens.substr(start, tokens.find(',', start) - start));
}

int TokenCount(std::string_view tokens) {
  return 1 + static_cast<int>(std::count(tokens.begin(), tokens.end(), ','));
}

std::string FormatLimitValue(std::string_view reply) {
  const double value = ParseDecimal(reply).value_or(0.0);
  const std::string text = FormatFixed(value, 12, 4, '.');
  return value < 0 ? "-" + text : text;
}

std::string LimitTextFromFile(std::string_view text) {
  constexpr std::string_view kTypingStarts[] = {"", "+", "-", ".", "+.", "-."};
  for (const std::string_view start : kTypingStarts) {
    if (text == start) return std::string(text);
  }
  // Blanks around a number are fine in a reply, but the field cannot hold them.
  const bool number = ParseDecimal(text) && text.find(' ') == std::string_view::npos;
  return number ? std::string(text) : "0";
}

KeyFilterResult NumericKeyFilter(const std::string& text, int caret, char typed) {
  using Action = KeyFilterResult::Action;
  if (static_cast<unsigned char>(typed) < 32) return {Action::Pass, typed, {}, 0};
  const char ch = typed == ',' ? '.' : typed;
  const bool sign = ch == '+' || ch == '-';
  const bool digit = ch >= '0' && ch <= '9';
  if (!sign && !digit && ch != '.') return {};
  if (text.empty()) return {Action::Pass, ch, {}, 0};

  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  if (sign) {
    if (text.front() == '+' || text.front() == '-') {
      return {Action::SetText, 0, ch + text.substr(1), caret};
    }
    return {Action::SetText, 0, ch + text, caret + 1};
  }
  if (text == "+" || text == "-") return {Action::Pass, ch, {}, 0};
  std::string candidate = text;
  candidate.insert(static_cast<std::size_t>(caret), 1, ch);
  if (!ParseDecimal(candidate)) return {};
  return {Action::Pass, ch, {}, 0};
}

std::string ChannelText(PageKind kind, int tag) {
  switch (kind) {
    case PageKind::OutLine:
    case PageKind::InLine:
      return std::to_string(tag);
    case PageKind::Tasten:
      return tag == 0 ? "TOP" : tag == 1 ? "BOT" : "";
    case PageKind::Einheiten:
    case PageKind::EIA232:
    case PageKind::LAN:
      break;
  }
  return {};
}

}  // namespace qel
