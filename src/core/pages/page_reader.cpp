// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/page_reader.h"

#include "core/link/scpi_session.h"
#include "core/pages/choice_setting.h"
#include "core/pages/ip_adr_in_model.h"
#include "core/pages/number_text.h"
#include "core/pages/page_helpers.h"

namespace qel {
namespace {

bool TokenFits(std::string_view reply, std::string_view tokens) {
  return TokenToIndex(reply, tokens) >= 0;
}

bool NumberFits(std::string_view reply, std::string_view) {
  return ParseDecimal(reply).has_value();
}

bool OctetFits(std::string_view reply, std::string_view) {
  return OctetTextValid(reply);
}

}  // namespace

std::string PageReader::Query(const std::string& line,
                              bool (*fits)(std::string_view reply, std::string_view tokens),
                              std::string_view tokens) {
  const auto unansweredBefore = session_.UnansweredLines();
  std::string reply = session_.ScpiQuery(line);
  if (session_.UnansweredLines() == unansweredBefore && !fits(reply, tokens)) {
    unfit_.push_back({line, reply});
  }
  return reply;
}

void PageReader::Choice(const std::string& line, ChoiceSetting& setting) {
  setting.SetFromReply(Query(line, TokenFits, setting.Tokens()));
}

std::string PageReader::Limit(const std::string& line) {
  return FormatLimitValue(Query(line, NumberFits));
}

std::string PageReader::Octet(const std::string& line) {
  return Query(line, OctetFits);
}

}  // namespace qel
