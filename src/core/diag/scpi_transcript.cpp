#include "core/diag/scpi_transcript.h"

#include "core/link/scpi_session.h"

namespace qel {

std::string SendTranscriptLine(ScpiSession& session, const std::string& line) {
  const std::string reply = session.ScpiQuery(line);
  return reply.empty() ? line : line + " -> " + reply;
}

}  // namespace qel
