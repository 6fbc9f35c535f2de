#include "cli/page_commands.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "core/pages/display_readout.h"
#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "core/platform/ini_file.h"
#include "core/platform/native_path.h"
#include "core/text/win1252.h"

namespace qel::cli {

char UserDecimalSeparator() {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  char separator = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const char* point = std::localeconv()->decimal_point;
    if (point != nullptr && point[0] != '\0' && point[1] == '\0') separator = point[0];
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
  return separator;
}

int RunRead(CliContext& context, const std::string& outputPath) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  ParameterPages pages;
  pages.ReadAll(context.Session());
  if (context.Session().UnansweredLines() != 0) {
    context.Err() << "qel11ctl: the instrument did not answer every line; nothing written\n";
    return kExitNoInstrument;
  }
  const ParameterFileInfo info = CurrentParameterFileInfo();
  if (outputPath.empty() || outputPath == "-") {
    context.Out() << BuildParameterFile(pages, info).Serialize() << std::flush;
    return kExitOk;
  }
  try {
    SaveParameterFile(outputPath, pages, info);
  } catch (const IniWriteError& error) {
    context.Err() << "qel11ctl: " << Win1252ToUtf8(error.what()) << '\n';
    return kExitUsage;
  }
  return kExitOk;
}

int RunWrite(CliContext& context, const std::string& inputPath) {
  // Only an existing file is opened: a mistyped name must not write the defaults of
  // every page into the instrument.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(PathFromUtf8(inputPath), ec)) {
    context.Err() << "qel11ctl: " << inputPath << ": no such parameter file\n";
    return kExitUsage;
  }
  ParameterPages pages;
  LoadParameterFile(Utf8ToWin1252(inputPath), pages);
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  pages.WriteAll(context.Session());
  return context.ExitAfterExchanges();
}

int RunStore(CliContext& context) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  ParameterPages::Store(context.Session());
  return context.ExitAfterExchanges();
}

int RunDisplay(CliContext& context) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  DisplayReadout readout;
  readout.ReadDisplay(context.Session(), UserDecimalSeparator());
  for (const auto& label : readout.VisibleLabels()) {
    context.Out() << label.name << '\t' << Win1252ToUtf8(label.text) << '\n';
  }
  return context.ExitAfterExchanges();
}

}  // namespace qel::cli
