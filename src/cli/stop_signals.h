// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGINT and SIGTERM as the end of a recording: the read in progress is finished and its
// row written, then the command ends normally. A second signal ends the program at once
// (the file still ends with a whole row: rows are written in one piece).

#include <chrono>

namespace qel::cli {

// Once, before any thread starts (threads inherit what it sets up).
void CatchStopSignals();
bool StopRequested();
// Sleeps until `until`; returns early, false, when a stop was asked for meanwhile.
bool SleepUntilUnlessStopped(std::chrono::steady_clock::time_point until);

}  // namespace qel::cli
