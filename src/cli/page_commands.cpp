#include "cli/page_commands.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "core/link/hid_link.h"
#include "core/pages/display_readout.h"
#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "core/platform/ini_file.h"
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

int RunRead(CliContext& context, const std::string& outputPath, bool lenient) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  ParameterPages pages;
  const UnfitReplies unfit = pages.ReadAll(context.Session());
  if (context.Session().UnansweredLines() != 0) {
    context.Err() << "qel11ctl: the instrument did not answer every line; nothing written\n";
    return kExitNoInstrument;
  }
  for (const UnfitReply& entry : unfit) {
    context.Err() << "qel11ctl: the reply to " << Win1252ToUtf8(entry.line) << " does not fit: \""
                  << HidLink::EscapeText(entry.reply) << "\"\n";
  }
  if (!unfit.empty() && !lenient) {
    context.Err() << "qel11ctl: nothing written (--lenient writes such replies as the window "
                     "would save them)\n";
    return kExitNoInstrument;
  }
  const ParameterFileInfo info = CurrentParameterFileInfo();
  if (outputPath.empty() || outputPath == "-") {
    context.Out() << BuildParameterFile(pages, info).Serialize() << std::flush;
    return kExitOk;
  }
  // The name as typed: its bytes are the file system's, never re-encoded.
  const std::filesystem::path path(outputPath);
  try {
    SaveParameterFile(path, pages, info);
  } catch (const IniWriteError&) {
    context.Err() << "qel11ctl: " << WriteErrorText(path) << '\n';
    return kExitUsage;
  }
  return kExitOk;
}

bool OpenParameterFile(CliContext& context, const std::string& path, ParameterPages& pages) {
  const char* why = nullptr;
  switch (LoadParameterFileStrictly(std::filesystem::path(path), pages)) {
    case ParameterFileLoad::kLoaded:
      return true;
    case ParameterFileLoad::kMissing:
      why = "no such file";
      break;
    case ParameterFileLoad::kFolder:
      why = "a folder, not a parameter file";
      break;
    case ParameterFileLoad::kUnreadable:
      why = "cannot be read";
      break;
    case ParameterFileLoad::kNotParameterFile:
      why =
          "not a parameter file (none of the sections Mode, Output1..4, Input1..3, KEYSTOP, "
          "KEYSBOT, LAN, Seri)";
      break;
  }
  context.Err() << "qel11ctl: " << path << ": " << why << '\n';
  return false;
}

int RunWrite(CliContext& context, const std::string& inputPath) {
  // A file that is not there or not a parameter file must not write the defaults of every
  // page into the instrument.
  ParameterPages pages;
  if (!OpenParameterFile(context, inputPath, pages)) return kExitUsage;
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
