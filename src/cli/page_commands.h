#pragma once
// qel11ctl read, write, store and display: the main window's whole-window actions and
// the live readout, run on the same core page models in the same page order.

#include <optional>
#include <string>

#include "cli/cli_context.h"

namespace qel::cli {

// Reads all pages and writes them as a parameter file to `outputPath`, or to stdout
// when it is empty. Nothing is written unless every line got an answer.
int RunRead(CliContext& context, const std::string& outputPath);
// Opens a parameter file and writes all pages to the instrument.
int RunWrite(CliContext& context, const std::string& inputPath);
int RunStore(CliContext& context);
// One live read; one "NAME<TAB>TEXT" line per visible value label.
int RunDisplay(CliContext& context);

// The C library's decimal separator of the user's locale (LC_NUMERIC from the
// environment), without leaving that locale switched on for the rest of the run.
char UserDecimalSeparator();

}  // namespace qel::cli
