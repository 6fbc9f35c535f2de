// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/ini_document.h"

#include <stdexcept>

#include "core/text/ascii.h"

namespace qel {
namespace {

// What GetPrivateProfileString trims around names and values.
constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

struct LineKind {
  enum Kind { kOther, kComment, kSection, kKey } kind = kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, quotes still on
};

LineKind Classify(std::string_view line) {
  const auto start = line.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  const std::string_view rest = line.substr(start);
  if (rest.front() == ';') return {LineKind::kComment, {}, {}};
  if (rest.front() == '[') {
    const auto close = rest.rfind(']');
    if (close != std::string_view::npos) {
      return {LineKind::kSection, Trim(rest.substr(1, close - 1)), {}};
    }
  }
  const auto equals = rest.find('=');
  if (equals == std::string_view::npos) return {};
  return {LineKind::kKey, Trim(rest.substr(0, equals)), Trim(rest.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

void AddOnce(std::vector<std::string>& names, std::string_view name) {
  for (const auto& known : names) {
    if (AsciiEqualsNoCase(known, name)) return;
  }
  names.emplace_back(name);
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    doc.byteOrderMark_ = true;
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    auto end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    doc.lines_.emplace_back(bytes.substr(pos, end - pos));
    // The line end: CRLF, LF, or a lone CR, as the profile functions take them.
    pos = end;
    if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out(byteOrderMark_ ? kUtf8ByteOrderMark : std::string_view());
  for (const auto& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const LineKind line = Classify(lines_[i]);
    if (line.kind == LineKind::kSection && AsciiEqualsNoCase(line.name, section)) return i;
  }
  return std::string::npos;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && Classify(lines_[i]).kind != LineKind::kSection) ++i;
  return i;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const LineKind line = Classify(lines_[i]);
    if (line.kind == LineKind::kKey && AsciiEqualsNoCase(line.name, key)) return i;
  }
  return std::string::npos;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  key = Trim(key);
  const std::size_t header = FindSection(Trim(section));
  if (key.empty() || header == std::string::npos) return std::string(defaultValue);
  const std::size_t at = FindKey(header, key);
  if (at == std::string::npos) return std::string(defaultValue);
  return std::string(Unquote(Classify(lines_[at]).value).substr(0, kMaxValueLength));
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
  key = Trim(key);
  const std::size_t header = FindSection(Trim(section));
  return !key.empty() && header != std::string::npos && FindKey(header, key) != std::string::npos;
}

std::vector<std::string> IniDocument::ReadSectionNames() const {
  std::vector<std::string> names;
  for (const auto& text : lines_) {
    const LineKind line = Classify(text);
    if (line.kind == LineKind::kSection) AddOnce(names, line.name);
  }
  return names;
}

std::vector<std::string> IniDocument::ReadSectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  const std::size_t header = FindSection(Trim(section));
  if (header == std::string::npos) return keys;
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const LineKind line = Classify(lines_[i]);
    if (line.kind == LineKind::kKey && !line.name.empty()) AddOnce(keys, line.name);
  }
  return keys;
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.find_first_of("]\r\n") != std::string_view::npos) {
    throw std::invalid_argument("INI section name cannot be stored: " + std::string(section));
  }
  if (key.empty() || key.front() == ';' || key.front() == '[' ||
      key.find_first_of("=\r\n") != std::string_view::npos) {
    throw std::invalid_argument("INI key name cannot be stored: " + std::string(key));
  }
  std::string safeValue(value);
  for (char& c : safeValue) {
    if (c == '\r' || c == '\n') c = ' ';
  }

  const std::size_t header = FindSection(section);
  if (header == std::string::npos) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::string(key) + "=" + safeValue);
    return;
  }
  const std::size_t existing = FindKey(header, key);
  if (existing != std::string::npos) {
    lines_[existing] = std::string(Classify(lines_[existing]).name) + "=" + safeValue;
    return;
  }
  std::size_t insertAfter = header;
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (Classify(lines_[i]).kind == LineKind::kKey) insertAfter = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter + 1),
                std::string(key) + "=" + safeValue);
}

void IniDocument::WriteStrings(std::string_view section,
                               const std::vector<std::pair<std::string, std::string>>& keyValues) {
  for (const auto& [key, value] : keyValues) WriteString(section, key, value);
}

}  // namespace qel
