// qel11ctl: the instrument from scripts. Runs the same core operations as the windows,
// so it sends the same lines in the same order.

#include <CLI/CLI.hpp>
#include <clocale>
#include <iostream>

#include "cli/cli_context.h"
#include "cli/diag_commands.h"
#include "cli/page_commands.h"
#include "core/platform/console.h"

int main(int argc, char** argv) {
  using namespace qel::cli;
  qel::PrepareUtf8Console();
  // Device strings from the system and the "Save at" text follow the user's locale;
  // numbers never do (the core parses and formats them itself).
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_TIME, "");
  CLI::App app{"qel11ctl - command-line access to the QEL11 magnetic-field meter", "qel11ctl"};
  app.require_subcommand(1);
  // The same options on every system: on Windows, CLI11 would otherwise read "/x" as an
  // option, and an absolute path such as /tmp/a.QEL would be no file name.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("qel11ctl ") + QEL_VERSION,
                       "print the program's version and exit");
  GlobalOptions options;
  app.add_option("--device", options.device,
                 "auto (default) | sim | tcp:HOST:PORT | a HID path from `list`");
  app.add_option("--timeout", options.timeoutMs, "read time limit per report in ms (default 1000)")
      ->check(CLI::Range(1, 3600000));
  app.add_flag("--log", options.log, "write the protocol log to stderr");
  app.add_flag(
      "--simulate", [&options](std::int64_t) { options.device = "sim"; },
      "the built-in virtual instrument (same as --device sim)");

  auto* list = app.add_subcommand("list", "attached instruments, one per line");
  std::vector<std::string> lines;
  auto* scpi = app.add_subcommand("scpi", "send each line; print \"LINE -> REPLY\", or LINE alone");
  scpi->add_option("LINE", lines, "SCPI lines")->required();
  std::string readOutput;
  auto* read = app.add_subcommand(
      "read", "read all pages and write them as a parameter file (FILE, or stdout)");
  read->add_option("-o,--output", readOutput, "parameter file to write (*.QEL)");
  std::string writeInput;
  auto* write = app.add_subcommand("write", "open a parameter file and write all pages");
  write->add_option("FILE", writeInput, "parameter file (*.QEL)")->required();
  auto* store = app.add_subcommand("store", "have the instrument store its settings");
  auto* display =
      app.add_subcommand("display", "one live read; NAME<TAB>TEXT per visible value label");
  auto* info = app.add_subcommand("info", "the device information rows, CAPTION<TAB>VALUE");
  auto* errors = app.add_subcommand("errors", "empty the error queue, one entry per line");
  std::string hardcopyOutput;
  auto* hardcopy =
      app.add_subcommand("hardcopy", "capture the display into a JPEG of the composed image");
  hardcopy->add_option("-o,--output", hardcopyOutput, "JPEG file to write")->required();

  // UTF-8 arguments (file names with any character) on every system.
  std::vector<std::string> arguments = qel::Utf8Arguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(argument.data());
  try {
    app.parse(static_cast<int>(utf8Argv.size()), utf8Argv.data());
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  CliContext context(options, std::cout, std::cerr);
  if (!context.Init()) return kExitUsage;
  if (*list) return RunList(context);
  if (*scpi) return RunScpi(context, lines);
  if (*read) return RunRead(context, readOutput);
  if (*write) return RunWrite(context, writeInput);
  if (*store) return RunStore(context);
  if (*display) return RunDisplay(context);
  if (*info) return RunInfo(context);
  if (*errors) return RunErrors(context);
  if (*hardcopy) return RunHardcopy(context, hardcopyOutput);
  return kExitUsage;
}
