// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A property that must hold for every input: when it does not, the fuzzer stops with the
// condition and a short description on stderr (control and non-ASCII bytes as \xHH) and
// keeps the input as a reproducer (libFuzzer treats the abort as a crash).

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace qel::fuzz {

[[noreturn]] inline void PropertyViolated(const char* file, int line, const char* condition,
                                          std::string_view what) {
  std::fprintf(stderr, "%s:%d: property violated: %s\n  ", file, line, condition);
  for (const char c : what) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\n') {
      std::fputs("\n  ", stderr);
    } else if (byte < 0x20 || byte >= 0x7F) {
      std::fprintf(stderr, "\\x%02X", byte);
    } else {
      std::fputc(byte, stderr);
    }
  }
  std::fputc('\n', stderr);
  std::abort();
}

}  // namespace qel::fuzz

#define FUZZ_CHECK(condition, what)                                        \
  do {                                                                     \
    if (!(condition)) {                                                    \
      qel::fuzz::PropertyViolated(__FILE__, __LINE__, #condition, (what)); \
    }                                                                      \
  } while (false)
