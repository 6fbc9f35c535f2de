// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/decimal_separator.h"

#include <clocale>
#include <string>

namespace qel {

char SystemDecimalSeparator(std::string_view localeDecimalPoint) {
  return localeDecimalPoint.size() == 1 ? localeDecimalPoint.front() : '.';
}

char SystemDecimalSeparator() {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  char separator = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const char* point = std::localeconv()->decimal_point;
    separator = SystemDecimalSeparator(point != nullptr ? point : "");
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  return separator;
}

}  // namespace qel
