// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qel11ctl list and scpi: the instruments attached, and free SCPI lines with their
// replies as the SCPI tab's transcript shows them.

#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace qel::cli {

// The instruments the device's backend lists: "PATH<TAB>description" each.
int RunList(CliContext& context);
// Sends each line; "LINE -> REPLY", or LINE alone when no reply came.
int RunScpi(CliContext& context, const std::vector<std::string>& lines);

}  // namespace qel::cli
