// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of the new instance that a language switch starts: the running
// instance's "--" options, in their order, and nothing else — so the service code (a
// plain first argument) does not carry over and a restarted tool is never in service
// mode, while the instrument choice and time limit stay.
//
//   6083 --device tcp:h:1 --simulate  ->  --device tcp:h:1 --simulate
//   --timeout=500 6083                ->  --timeout=500
//   --device X -- 6083                ->  --device X      ("--" ends the options)
//
// An option named in `valueOptions` and written without "=" keeps the argument after it
// as its value, whatever that looks like.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// Options of the window program that take a value in the next argument.
inline constexpr std::array<std::string_view, 2> kRestartValueOptions = {"--device", "--timeout"};

// `arguments` without the program path.
std::vector<std::string> RestartArguments(
    const std::vector<std::string>& arguments,
    std::span<const std::string_view> valueOptions = kRestartValueOptions);

}  // namespace qel
