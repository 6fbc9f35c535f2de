// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/page_commands.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "core/link/hid_link.h"
#include "core/pages/display_readout.h"
#include "core/pages/live_reading.h"
#include "core/pages/parameter_file.h"
#include "core/platform/ini_file.h"
#include "core/platform/native_path.h"
#include "core/text/win1252.h"

namespace qel::cli {

void NameUnfitReplies(CliContext& context, const UnfitReplies& unfit) {
  for (const UnfitReply& entry : unfit) {
    context.Err() << "qel11ctl: the reply to " << Win1252ToUtf8(entry.line) << " does not fit: \""
                  << HidLink::EscapeText(entry.reply) << "\"\n";
  }
}

int RunRead(CliContext& context, const std::string& outputPath, bool lenient) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  ParameterPages pages;
  const UnfitReplies unfit = pages.ReadAll(context.Session());
  if (context.Session().UnansweredLines() != 0) {
    context.Err() << "qel11ctl: the instrument did not answer every line; nothing written\n";
    return kExitNoInstrument;
  }
  NameUnfitReplies(context, unfit);
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
  // The name as typed: its bytes are the file system's (UTF-8 on Windows), never re-encoded.
  const std::filesystem::path path = PathFromUtf8(context.OutputPath(outputPath));
  try {
    SaveParameterFile(path, pages, info);
  } catch (const IniWriteError&) {
    context.Err() << "qel11ctl: " << WriteErrorText(path) << '\n';
    return kExitUsage;
  }
  return kExitOk;
}

bool OpenParameterFile(std::ostream& err, const std::string& path, ParameterPages& pages) {
  const char* why = nullptr;
  switch (LoadParameterFileStrictly(PathFromUtf8(path), pages)) {
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
  err << "qel11ctl: " << path << ": " << why << '\n';
  return false;
}

int RunStore(CliContext& context) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  ParameterPages::Store(context.Session());
  return context.ExitAfterExchanges();
}

int RunDisplay(CliContext& context) {
  context.StartRows();
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  const LiveReading reading = ReadLiveReading(context.Session());
  DisplayReadout readout;
  readout.Show(reading, context.Options().decimalSeparator);
  for (const auto& label : readout.VisibleLabels()) {
    const std::string name(label.name);
    const std::string text = Win1252ToUtf8(label.text);
    context.Row(name + '\t' + text, {{"name", name}, {"text", text}});
  }
  const int exit = context.ExitAfterExchanges();
  if (exit != kExitOk) return exit;
  // The labels show what the window would show ("-- " and the like); a script learns
  // from the status that they are no reading.
  const auto misfits = reading.MisfitLines();
  for (const std::string_view line : misfits) {
    context.Err() << "qel11ctl: the reply to " << line << " does not fit\n";
  }
  return misfits.empty() ? kExitOk : kExitNoInstrument;
}

void AddPageCommands(CLI::App& app, Commands& commands) {
  struct Options {
    std::string readOutput;
    bool readLenient = false;
    std::string fileName;  // write, diff
    bool verify = false;
    ParameterPages file;  // loaded once, before any instrument; then only read
  };
  const auto options = std::make_shared<Options>();
  // A file that is not there or not a parameter file must not write the defaults of every
  // page into an instrument, nor be compared with one.
  const auto openFile = [options](std::ostream& err) {
    return OpenParameterFile(err, options->fileName, options->file) ? kExitOk : kExitUsage;
  };

  auto* read = app.add_subcommand(
      "read", "read all pages and write them as a parameter file (FILE, or stdout)");
  read->add_option("-o,--output", options->readOutput, "parameter file to write (*.QEL)");
  read->add_flag("--lenient", options->readLenient,
                 "write replies that do not fit their line as the window would save them "
                 "(still named on stderr) instead of failing");
  commands.push_back({read, nullptr, [options](CliContext& context) {
                        return RunRead(context, options->readOutput, options->readLenient);
                      }});

  auto* write = app.add_subcommand("write", "open a parameter file and write all pages");
  write->add_option("FILE", options->fileName, "parameter file (*.QEL)")->required();
  write->add_flag("--verify", options->verify,
                  "then read all pages back and print what differs from the file, as diff");
  commands.push_back({write, openFile, [options](CliContext& context) {
                        return RunWrite(context, options->file, options->verify);
                      }});

  auto* diff = app.add_subcommand(
      "diff", "read all pages and print SECTION<TAB>KEY<TAB>FILE<TAB>INSTRUMENT per difference");
  diff->add_option("FILE", options->fileName, "parameter file (*.QEL)")->required();
  commands.push_back(
      {diff, openFile, [options](CliContext& context) { return RunDiff(context, options->file); }});

  auto* store = app.add_subcommand("store", "have the instrument store its settings");
  commands.push_back({store, nullptr, RunStore});
  auto* display =
      app.add_subcommand("display", "one live read; NAME<TAB>TEXT per visible value label");
  commands.push_back({display, nullptr, RunDisplay});
}

}  // namespace qel::cli
