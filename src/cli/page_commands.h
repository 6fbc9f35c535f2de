#pragma once
// qel11ctl read, write, store and display: the main window's whole-window actions and
// the live readout, run on the same core page models in the same page order.

#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "core/pages/parameter_pages.h"

namespace qel::cli {

// Reads all pages and writes them as a parameter file to `outputPath`, or to stdout
// when it is empty or "-". Nothing is written unless every line got an answer and every
// reply fits its line; each reply that does not fit is named on stderr. `lenient` writes
// such replies as the window would save them (no selection "-1", "0.0000", "000").
int RunRead(CliContext& context, const std::string& outputPath, bool lenient);
// Opens a parameter file and writes all pages to the instrument. A file that is missing,
// unreadable, a folder, or no parameter file is refused before anything is sent.
int RunWrite(CliContext& context, const std::string& inputPath);

// Loads `path` (as the user typed it) into the pages; false, with a message naming the
// path, when LoadParameterFileStrictly refuses it.
bool OpenParameterFile(CliContext& context, const std::string& path, ParameterPages& pages);
int RunStore(CliContext& context);
// One live read; one "NAME<TAB>TEXT" line per visible value label.
int RunDisplay(CliContext& context);

// The C library's decimal separator of the user's locale (LC_NUMERIC from the
// environment), without leaving that locale switched on for the rest of the run.
char UserDecimalSeparator();

}  // namespace qel::cli
