// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/service_text.h"

#include <charconv>
#include <limits>

#include "core/text/ascii.h"

namespace qel {
namespace {

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 32;
}

}  // namespace

std::string UnquoteReply(const std::string& reply) {
  if (reply.empty() || reply.front() != '"') return reply;
  // First and last characters go, also when the last one is no quote.
  const std::string inner = reply.size() >= 2 ? reply.substr(1, reply.size() - 2) : "";
  std::string text;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    text += inner[i];
    if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
  }
  return text;
}

std::string TrimTrailingBlanks(const std::string& text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string QuotedText(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + '"';
}

bool FitsInQuotes(const std::string& text) {
  for (const char c : text) {
    if (c == '"' || static_cast<unsigned char>(c) < 32) return false;
  }
  return true;
}

std::optional<int> ParseDecimalInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::string_view digits = text.substr(i);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<char> ProbeSerialKeyFilter(char key) {
  if (IsControl(key) || IsAsciiDigit(key)) return key;
  return std::nullopt;
}

std::optional<char> ProbeNumberKeyFilter(char key) {
  if (key == ',') return '.';
  if (IsControl(key) || IsAsciiDigit(key) || key == '+' || key == '-' || key == '.' || key == 'e') {
    return key;
  }
  return std::nullopt;
}

std::optional<char> ProbeTypeKeyFilter(char) {
  return std::nullopt;
}

std::optional<char> InternalNumberKeyFilter(char key) {
  key = AsciiToUpper(key);
  if (key == ',') return '.';
  if (IsAsciiDigit(key) || key == '+' || key == '-' || key == '.' || key == 'E') return key;
  return std::nullopt;
}

}  // namespace qel
