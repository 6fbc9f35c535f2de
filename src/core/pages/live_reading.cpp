// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/live_reading.h"

#include "core/link/scpi_session.h"
#include "core/pages/choice_lists.h"
#include "core/pages/display_readout.h"
#include "core/pages/number_text.h"
#include "core/pages/page_helpers.h"

namespace qel {
namespace {

constexpr std::string_view kModeLine = "mode?";
constexpr std::string_view kDcLine = ":read:dc?";
constexpr std::string_view kRangeUnitLine = ":rang?;unit?";
constexpr std::string_view kAcLine = ":read:ac?";
constexpr std::string_view kFastLine = ":peak:fast:read?;read:min?;max?";
constexpr std::string_view kSlowLine = ":peak:slow:read?;read:min?;max?";

std::size_t FieldCount(const std::string& reply) {
  std::size_t count = 1;
  for (const char c : reply) count += c == ';' ? 1 : 0;
  return count;
}

// Takes each field of `reply` in turn (NextReplyField) into the slots given, and notes
// whether the reply had exactly that many fields.
template <std::size_t N>
void TakeFields(LiveReading& reading, std::string reply, const std::array<LiveValue, N>& slots) {
  const bool fits = FieldCount(reply) == N;
  for (const LiveValue value : slots) {
    reading.fields[LiveReading::Slot(value)] = NextReplyField(reply);
    reading.valueFits[LiveReading::Slot(value)] = fits;
  }
}

}  // namespace

std::optional<double> LiveReading::Number(LiveValue value) const {
  const auto& field = fields[Slot(value)];
  if (!field) return std::nullopt;
  return ParseDecimal(*field);
}

bool LiveReading::ValueFits(LiveValue value) const {
  return !Read(value) || (valueFits[Slot(value)] && Number(value).has_value());
}

std::vector<std::string_view> LiveReading::MisfitLines() const {
  std::vector<std::string_view> lines;
  if (!modeFits || mode < 0) lines.push_back(kModeLine);
  if (!ValueFits(LiveValue::Dc)) lines.push_back(kDcLine);
  if (!rangeUnitFits || range < 0 || unit < 0) lines.push_back(kRangeUnitLine);
  if (!ValueFits(LiveValue::Ac)) lines.push_back(kAcLine);
  if (!ValueFits(LiveValue::FastAbs) || !ValueFits(LiveValue::FastMin) ||
      !ValueFits(LiveValue::FastMax)) {
    lines.push_back(kFastLine);
  }
  if (!ValueFits(LiveValue::SlowAbs) || !ValueFits(LiveValue::SlowMin) ||
      !ValueFits(LiveValue::SlowMax)) {
    lines.push_back(kSlowLine);
  }
  return lines;
}

LiveReading ReadLiveReading(ScpiSession& session) {
  const std::uint64_t unansweredBefore = session.UnansweredLines();
  LiveReading reading;
  std::string buffer = session.ScpiQuery(std::string(kModeLine));
  reading.modeFits = FieldCount(buffer) == 1;
  reading.mode = TokenToIndex(NextReplyField(buffer), kModeTokens);

  TakeFields(reading, session.ScpiQuery(std::string(kDcLine)), std::array{LiveValue::Dc});

  buffer = session.ScpiQuery(std::string(kRangeUnitLine));
  reading.rangeUnitFits = FieldCount(buffer) == 2;
  reading.range = TokenToIndex(NextReplyField(buffer), kRangeTokens);
  reading.unit = TokenToIndex(NextReplyField(buffer), kUnitTokens);

  if (reading.range >= 0 && reading.unit >= 0) {
    if (reading.mode == 1) {
      TakeFields(reading, session.ScpiQuery(std::string(kAcLine)), std::array{LiveValue::Ac});
    } else if (reading.mode == 2) {
      TakeFields(reading, session.ScpiQuery(std::string(kFastLine)),
                 std::array{LiveValue::FastAbs, LiveValue::FastMin, LiveValue::FastMax});
      TakeFields(reading, session.ScpiQuery(std::string(kSlowLine)),
                 std::array{LiveValue::SlowAbs, LiveValue::SlowMin, LiveValue::SlowMax});
    }
  }
  reading.answered = session.UnansweredLines() == unansweredBefore;
  return reading;
}

}  // namespace qel
