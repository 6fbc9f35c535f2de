// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/diag/scpi_transcript.h"

#include "core/link/scpi_session.h"

namespace qel {

std::string TranscriptEntry(const std::string& line, const std::string& reply) {
  return reply.empty() ? line : line + " -> " + reply;
}

std::string SendTranscriptLine(ScpiSession& session, const std::string& line) {
  return TranscriptEntry(line, session.ScpiQuery(line));
}

}  // namespace qel
