// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl: the instrument from scripts. Runs the same core operations as the windows,
// so it sends the same lines in the same order.

#include <CLI/CLI.hpp>
#include <clocale>
#include <exception>
#include <iostream>

#include "cli/command.h"
#include "cli/device_runner.h"
#include "cli/page_commands.h"
#include "core/platform/console.h"
#include "core/text/decimal_separator.h"

namespace {

int RunProgram(int argc, char** argv) {
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
  app.add_option("--device", options.devices,
                 "auto (default) | sim | tcp:HOST:PORT | a HID path from `list` | all; "
                 "more than once, or all: the command runs on each instrument at the same time")
      ->allow_extra_args(false);
  app.add_option("--timeout", options.timeoutMs,
                 "read time limit per report in ms (default 1000); also bounds connecting")
      ->check(CLI::Range(1, 3600000));
  app.add_flag("--log", options.log, "write the protocol log to stderr");
  app.add_flag("--json", options.json,
               "machine-readable output: one JSON document on stdout (list, scpi, diff, "
               "write --verify, display, info, errors)");
  app.add_flag(
      "--simulate", [&options](std::int64_t) { options.devices.emplace_back("sim"); },
      "the built-in virtual instrument (same as --device sim)");

  Commands commands;
  AddLinkCommands(app, commands);
  AddPageCommands(app, commands);
  AddMonitorCommand(app, commands);
  AddDiagCommands(app, commands);

  // UTF-8 arguments (file names with any character) on every system.
  std::vector<std::string> arguments = qel::Utf8Arguments(argc, argv);
  std::vector<char*> utf8Argv;
  utf8Argv.reserve(arguments.size());
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

  options.decimalSeparator = qel::SystemDecimalSeparator();
  for (const Command& command : commands) {
    if (command.app->parsed()) return RunCommand(options, command, std::cout, std::cerr);
  }
  return kExitUsage;
}

}  // namespace

// Whatever escapes a command (out of memory, a file system error) ends the run with its
// reason and the usage-or-file-error status, never through std::terminate.
int main(int argc, char** argv) {
  try {
    return RunProgram(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "qel11ctl: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "qel11ctl: unexpected error\n";
  }
  return qel::cli::kExitUsage;
}
