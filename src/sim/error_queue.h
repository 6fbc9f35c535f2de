// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instrument's SCPI error queue, as SYSTem:ERRor? reads it: oldest entry first,
// 30 entries deep; when a 31st error comes, the newest entry becomes -350.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace qel::sim {

struct ScpiError {
  int code;
  const char* text;
};

// The codes this instrument raises.
namespace scpi_error {
inline constexpr ScpiError kSyntax{-102, "Syntax error"};
inline constexpr ScpiError kParameterNotAllowed{-108, "Parameter not allowed"};
inline constexpr ScpiError kMissingParameter{-109, "Missing parameter"};
inline constexpr ScpiError kUndefinedHeader{-113, "Undefined header"};
inline constexpr ScpiError kSuffixOutOfRange{-114, "Header suffix out of range"};
inline constexpr ScpiError kCommandProtected{-203, "Command protected"};
inline constexpr ScpiError kIllegalParameter{-224, "Illegal parameter value"};
inline constexpr ScpiError kQueueOverflow{-350, "Queue overflow"};
}  // namespace scpi_error

class ErrorQueue {
 public:
  static constexpr std::size_t kDepth = 30;

  struct Entry {
    int code;
    std::string text;
    bool operator==(const Entry&) const = default;
  };

  void Push(const ScpiError& error);
  void Push(int code, std::string_view text);
  // Removes and formats the oldest entry: -113,"Undefined header"; 0,"No error" when empty.
  std::string Pop();
  void Clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }
  const std::deque<Entry>& entries() const { return entries_; }

 private:
  std::deque<Entry> entries_;
};

}  // namespace qel::sim
