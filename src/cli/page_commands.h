// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qel11ctl read, write, diff, store and display: the main window's whole-window actions
// and the live readout, run on the same core page models in the same page order.

#include <iosfwd>
#include <string>

#include "cli/cli_context.h"
#include "core/pages/page_reader.h"
#include "core/pages/parameter_pages.h"

namespace qel::cli {

// Reads all pages and writes them as a parameter file to `outputPath`, or to stdout
// when it is empty or "-". Nothing is written unless every line got an answer and every
// reply fits its line; each reply that does not fit is named on stderr. `lenient` writes
// such replies as the window would save them (no selection "-1", "0.0000", "000").
int RunRead(CliContext& context, const std::string& outputPath, bool lenient);
// Writes all pages of a loaded parameter file to the instrument; with `verify` then reads
// all pages back and prints what differs, as RunDiff.
int RunWrite(CliContext& context, const ParameterPages& file, bool verify);
// Reads all pages and prints one row "SECTION<TAB>KEY<TAB>FILE-VALUE<TAB>INSTRUMENT-VALUE"
// per setting that differs from the loaded file. 0 when none does; 1 when one does, a
// line got no answer or a reply does not fit its line (named on stderr).
int RunDiff(CliContext& context, const ParameterPages& file);

// Loads `path` (as the user typed it) into the pages; false, with a message naming the
// path, when LoadParameterFileStrictly refuses it.
bool OpenParameterFile(std::ostream& err, const std::string& path, ParameterPages& pages);
// Names each reply that did not fit its line on stderr.
void NameUnfitReplies(CliContext& context, const UnfitReplies& unfit);

int RunStore(CliContext& context);
// One live read; one "NAME<TAB>TEXT" line per visible value label.
int RunDisplay(CliContext& context);

}  // namespace qel::cli
