// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/diag/io_test.h"

#include <string>

#include "core/link/scpi_session.h"

namespace qel {

void OutputTest(ScpiSession& session, int output, bool on) {
  const std::string n = std::to_string(output);
  session.ScpiQuery("DGIO:OEN" + n + " 1");
  session.ScpiQuery("DGIO:SET:OUT" + n + ":LOG 0");
  session.ScpiQuery("DGIO:OUT" + n + (on ? " 1" : " 0"));
}

void OutputTestOff(ScpiSession& session) {
  for (int n = 1; n <= kTestOutputCount; ++n) {
    session.ScpiQuery("DGIO:OEN" + std::to_string(n) + " 0");
  }
}

std::optional<InputStates> InputStatesFromReply(std::string_view reply) {
  if (reply.size() != 5) return std::nullopt;
  return InputStates{reply[0] == '1', reply[2] == '1', reply[4] == '1'};
}

std::optional<InputStates> PollInputs(ScpiSession& session) {
  return InputStatesFromReply(session.ScpiQuery("DGIO:IN?"));
}

}  // namespace qel
