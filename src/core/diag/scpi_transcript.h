// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (SendLine).
// A free SCPI line and its transcript entry, as the main window's " SCPI Test " tab and
// `qel11ctl scpi` show them.

#include <string>

namespace qel {

class ScpiSession;

// The entry of a line and its reply: "LINE -> REPLY", or the line alone for an empty reply.
std::string TranscriptEntry(const std::string& line, const std::string& reply);

// Sends `line` and returns its entry: "LINE -> REPLY", or the line alone when no reply
// came back (no instrument, or a line without "?", whatever the instrument sent).
std::string SendTranscriptLine(ScpiSession& session, const std::string& line);

}  // namespace qel
