// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts as the instrument replies with them and as limit fields hold them. The
// input's first line is a reply; what follows it is typed into an empty limit field
// (Ctrl-B and Ctrl-F move the caret, backspace deletes). Properties:
//  - ParseDecimal takes only texts that strtod reads in the C locale, with the same value
//    (a value below the smallest normal double may become 0);
//  - the texts FormatLimitValue and FormatDotFixed write parse again, to the value they
//    were made from within their rounding;
//  - the numeric key filter never lets the field hold anything but a number, a lone sign
//    or ".", or a sign and "."; the field takes at most kTypingLimit characters by typing,
//    as the output pages' limit fields do (their edit filter refuses a longer text).

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/pages/number_text.h"
#include "core/pages/page_helpers.h"
#include "core/service/dot_number.h"
#include "fuzz_check.h"

namespace {

using qel::KeyFilterResult;

bool Near(double a, double b, double absolute, double relative) {
  return std::fabs(a - b) <= absolute + relative * std::fabs(b);
}

void CheckParse(const std::string& text) {
  const auto value = qel::ParseDecimal(text);
  if (!value) return;
  // The grammar has no "inf", "nan", hex or comma, so strtod in the C locale is an oracle.
  char* end = nullptr;
  const double expected = std::strtod(text.c_str(), &end);
  FUZZ_CHECK(end != text.c_str(), text);
  FUZZ_CHECK(std::string_view(end).find_first_not_of(' ') == std::string_view::npos, text);
  FUZZ_CHECK(*value == expected || (std::fabs(expected) < DBL_MIN && *value == 0), text);

  const std::string limit = qel::FormatLimitValue(text);
  const auto limitBack = qel::ParseDecimal(limit);
  FUZZ_CHECK(limitBack.has_value(), limit);
  FUZZ_CHECK(Near(*limitBack, *value, 0.51e-4, 1e-11), text + " -> " + limit);

  for (int decimals = 0; decimals <= 9; decimals += 3) {
    const std::string dot = qel::FormatDotFixed(*value, decimals);
    FUZZ_CHECK(qel::ParseDecimal(dot).has_value(), dot);
    FUZZ_CHECK(Near(qel::ParseDotNumber(dot), *value, 0.51 * std::pow(10.0, -decimals), 1e-9),
               text + " -> " + dot);
    FUZZ_CHECK(dot.find_first_not_of("-0.") != std::string::npos || dot.front() != '-',
               "a value that rounds to zero keeps its minus: " + dot);
  }
}

constexpr std::size_t kTypingLimit = 10;

bool FieldIsSound(const std::string& field) {
  return field.empty() || field == "+" || field == "-" || field == "." || field == "+." ||
         field == "-." || qel::ParseDecimal(field).has_value();
}

void CheckTyping(std::string_view keys) {
  std::string field;
  int caret = 0;
  for (const char key : keys) {
    if (key == '\x02') {
      caret = std::max(caret - 1, 0);
      continue;
    }
    if (key == '\x06') {
      caret = std::min(caret + 1, static_cast<int>(field.size()));
      continue;
    }
    // A digit or "." passes after a lone sign wherever the caret is, so one typed in front
    // of the sign leaves no number; the filter is meant to work that way.
    const bool digitOrPoint = (key >= '0' && key <= '9') || key == '.' || key == ',';
    if ((field == "+" || field == "-") && caret == 0 && digitOrPoint) continue;
    const KeyFilterResult result = qel::NumericKeyFilter(field, caret, key);
    const std::string before = field;
    const int caretBefore = caret;
    switch (result.action) {
      case KeyFilterResult::Action::Pass:
        if (result.ch == '\b') {
          if (caret > 0) field.erase(static_cast<std::size_t>(--caret), 1);
        } else if (static_cast<unsigned char>(result.ch) >= 32) {
          field.insert(static_cast<std::size_t>(caret++), 1, result.ch);
        }
        break;
      case KeyFilterResult::Action::SetText:
        field = result.text;
        caret = result.caret;
        FUZZ_CHECK(caret >= 0 && caret <= static_cast<int>(field.size()), field);
        break;
      case KeyFilterResult::Action::Swallow:
        break;
    }
    if (field.size() > kTypingLimit && field.size() > before.size()) {
      field = before;
      caret = caretBefore;
    }
    FUZZ_CHECK(FieldIsSound(field), "the limit field took " + field);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = bytes.find('\n');
  CheckParse(std::string(bytes.substr(0, newline)));
  if (newline != std::string_view::npos) CheckTyping(bytes.substr(newline + 1));
  return 0;
}
