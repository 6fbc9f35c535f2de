// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qel11ctl info, errors and hardcopy: the device information page, the error status
// page and the display hardcopy, run on the same core objects as those windows.

#include <string>

#include "cli/cli_context.h"

namespace qel::cli {

// The twelve device information rows, "CAPTION<TAB>VALUE" each, captions in the chosen
// language.
int RunInfo(CliContext& context);
// Empties the error queue, one entry per line. Succeeds only when the instrument said
// the queue is empty (the stop text), so a script never takes a cut-off list as complete.
int RunErrors(CliContext& context);
// Captures the display into a JPEG file of the composed image; writes the file only when
// every line of the capture got an answer.
int RunHardcopy(CliContext& context, const std::string& outputPath);

}  // namespace qel::cli
