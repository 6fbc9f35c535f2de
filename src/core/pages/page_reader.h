// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One read of a parameter page: sends the page's queries and sets its values from the
// replies as the window does, and notes every reply that does not fit its line — a token
// outside the list, a limit or octet that does not parse. The window carries on with such
// a reply (no selection, "0.0000", "000"); qel11ctl names it and fails.

#include <string>
#include <string_view>
#include <vector>

namespace qel {

class ChoiceSetting;
class ScpiSession;

// A query whose reply did not fit, with the reply as it came.
struct UnfitReply {
  std::string line;
  std::string reply;
  bool operator==(const UnfitReply&) const = default;
};
using UnfitReplies = std::vector<UnfitReply>;

class PageReader {
 public:
  explicit PageReader(ScpiSession& session) : session_(session) {}

  // Selects the item whose token is the reply (none when no token is).
  void Choice(const std::string& line, ChoiceSetting& setting);
  // The reply as a limit field shows it (FormatLimitValue).
  std::string Limit(const std::string& line);
  // The reply unchanged, for an octet field; it fits when it is a valid octet text.
  std::string Octet(const std::string& line);

  // The replies so far that did not fit. A line that got no answer at all is not among
  // them: the session counts those (UnansweredLines).
  const UnfitReplies& Unfit() const { return unfit_; }

 private:
  std::string Query(const std::string& line,
                    bool (*fits)(std::string_view reply, std::string_view tokens),
                    std::string_view tokens = {});

  ScpiSession& session_;
  UnfitReplies unfit_;
};

}  // namespace qel
