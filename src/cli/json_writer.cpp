// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

#include <cstdio>

namespace qel::cli {
namespace {

// Length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are none
// (overlong forms, surrogates and code points above U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size();) {
    const char c = utf8[i];
    const std::size_t length = Utf8SequenceLength(utf8, i);
    if (length == 0) {
      out += "\\ufffd";
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(utf8, i, length);
      i += length;
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        } else {
          out += c;
        }
    }
    ++i;
  }
  out += '"';
  return out;
}

std::string JsonObject(const JsonRow& row) {
  std::string out = "{";
  for (const auto& [key, value] : row) {
    if (out.size() > 1) out += ", ";
    out += JsonString(key) + ": " + (value ? JsonString(*value) : "null");
  }
  return out + "}";
}

std::string JsonArray(const std::vector<std::string>& values) {
  if (values.empty()) return "[]";
  std::string out = "[\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += "  " + values[i] + (i + 1 < values.size() ? ",\n" : "\n");
  }
  return out + "]";
}

}  // namespace qel::cli
