// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line programs' side of the console: arguments and output are UTF-8 on every
// system. Linux hands both over as they are. On Windows the arguments are taken from the
// system's UTF-16 command line (argv would carry them in the ANSI code page, which loses
// every character outside it), the console is told that output is UTF-8, and stdout and
// stderr write bytes unchanged (no LF -> CRLF translation), so a parameter file written
// to stdout keeps its exact bytes and both systems print the same.

#include <string>
#include <vector>

namespace qel {

// The program's arguments as UTF-8, argv[0] first.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Call once at the start of main, before anything is printed.
void PrepareUtf8Console();

}  // namespace qel
