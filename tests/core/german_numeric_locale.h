// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Switches the C library's LC_NUMERIC to German (decimal comma) for one test and back, as
// qel11ctl switches it to the user's locale. On Linux ctest makes the locale (fixture
// german_locale, found through LOCPATH); run without it, the test fails instead of passing
// untested.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace qel::testing {

class GermanNumericLocale {
 public:
  GermanNumericLocale() {
    const char* before = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = before != nullptr ? before : "C";
    for (const char* name : kNames) {
      if (std::setlocale(LC_NUMERIC, name) == nullptr) continue;
      active_ = std::string(std::localeconv()->decimal_point) == ",";
      if (active_) break;
    }
  }
  ~GermanNumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  GermanNumericLocale(const GermanNumericLocale&) = delete;
  GermanNumericLocale& operator=(const GermanNumericLocale&) = delete;

  // Use as ASSERT_TRUE(locale.Active()) << GermanNumericLocale::kMissing;
  bool Active() const { return active_; }
#ifdef _WIN32
  // Windows has German built in, under its own names.
  static constexpr const char* kNames[] = {"de-DE", "German_Germany.1252"};
#else
  static constexpr const char* kNames[] = {"de_DE.UTF-8"};
#endif
  static constexpr const char* kMissing =
      "no German locale de_DE.UTF-8 with a decimal comma: run the tests through ctest, which "
      "makes one with localedef (Debian package locales) and sets LOCPATH";

 private:
  std::string saved_;
  bool active_ = false;
};

}  // namespace qel::testing
