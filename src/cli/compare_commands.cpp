// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl diff and write --verify: whether an instrument holds what a parameter file
// says, compared as the page models see both (ComparePages).

#include <ostream>

#include "cli/page_commands.h"
#include "core/pages/page_comparison.h"
#include "core/text/win1252.h"

namespace qel::cli {
namespace {

// Reads all pages and prints a row per difference from `file`. A read in which a line
// got no answer compares nothing: the pages would show the empty state, not the
// instrument.
int CompareWithInstrument(CliContext& context, const ParameterPages& file) {
  const auto unansweredBefore = context.Session().UnansweredLines();
  ParameterPages instrument;
  const UnfitReplies unfit = instrument.ReadAll(context.Session());
  if (context.Session().UnansweredLines() != unansweredBefore) {
    context.Err() << "qel11ctl: the instrument did not answer every line; nothing compared\n";
    return kExitNoInstrument;
  }
  NameUnfitReplies(context, unfit);
  const auto differences = ComparePages(file, instrument);
  for (const SettingDifference& d : differences) {
    const std::string fileValue = Win1252ToUtf8(d.fileValue);
    const std::string instrumentValue = Win1252ToUtf8(d.instrumentValue);
    context.Row(d.section + '\t' + d.key + '\t' + fileValue + '\t' + instrumentValue,
                {{"section", d.section},
                 {"key", d.key},
                 {"file", fileValue},
                 {"instrument", instrumentValue}});
  }
  return differences.empty() && unfit.empty() ? kExitOk : kExitNoInstrument;
}

}  // namespace

int RunDiff(CliContext& context, const ParameterPages& file) {
  context.StartRows();
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  return CompareWithInstrument(context, file);
}

int RunWrite(CliContext& context, const ParameterPages& file, bool verify) {
  if (verify) context.StartRows();
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  file.WriteAll(context.Session());
  if (context.Session().UnansweredLines() != 0) {
    if (verify) {
      context.Err() << "qel11ctl: the instrument did not answer every line of the write; "
                       "nothing compared\n";
    }
    return kExitNoInstrument;
  }
  return verify ? CompareWithInstrument(context, file) : kExitOk;
}

}  // namespace qel::cli
