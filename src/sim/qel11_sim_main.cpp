// SPDX-License-Identifier: GPL-3.0-or-later
// qel11-sim: the virtual instrument served over the report-stream protocol on 127.0.0.1.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <tuple>

#include "core/platform/console.h"
#include "sim/report_stream_server.h"
#include "sim/sim_backend.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "sim/uhid_run.h"
#endif

namespace {

qel::sim::ReportStreamServer* g_server = nullptr;

#ifdef _WIN32
// Ctrl+C, Ctrl+Break and closing the console window; the system calls this on a thread
// of its own.
BOOL WINAPI OnConsoleEvent(DWORD) {
  if (g_server == nullptr) return FALSE;
  g_server->Stop();
  return TRUE;
}

void StopOnSignals() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}
#else
extern "C" void OnSignal(int) {
  if (g_server != nullptr) g_server->Stop();  // only writes to a pipe
}

void StopOnSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}
#endif

int RunProgram(int argc, char** argv) {
  qel::PrepareUtf8Console();
  qel::sim::SimOptions options;
  int port = 0;
  std::string product = "FE78";
  CLI::App app{"Virtual QEL11 instrument, served over the report-stream protocol on 127.0.0.1",
               "qel11-sim"};
  // The same options on every system: on Windows, CLI11 would otherwise read "/x" as an
  // option, and an absolute path such as /tmp/a.QEL would be no file name.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("qel11-sim ") + QEL_VERSION,
                       "print the program's version and exit");
  app.add_option("--port", port, "TCP port; 0 picks a free one")->check(CLI::Range(0, 65535));
  app.add_option("--product", product, "USB product ID in hex: FE78 or 003F");
  app.add_option("--out-length", options.outputReportLength,
                 "output report length with report ID: 65 or 66")
      ->check(CLI::IsMember({65, 66}));
  app.add_option("--seed", options.seed, "seed of the reading model");
  app.add_option("--latency", options.latencyMs, "delay before each answer, ms")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--stop-after", options.stopAnsweringAfter, "answer the first N lines, then none");
  app.add_option("--disconnect-after", options.disconnectAfter,
                 "close the connection after the Nth line (then accept a new one)");
  std::string silentLines;
  std::string garbageLines;
  std::string truncateLines;
  std::string lateMs;
  app.add_option("--silent-lines", silentLines, "N or N-M: no answer to these lines");
  app.add_option("--drop-line", options.dropLine,
                 "close the connection when line N arrives, without answering it");
  app.add_option("--late-line", options.lateAnswerLine, "answer line N late");
  app.add_option("--late-percent", options.latePercent,
                 "answer each line late with this chance (random, by --seed)")
      ->check(CLI::Range(0, 100));
  app.add_option("--late-ms", lateMs, "how late, ms: MS, or MIN-MAX for a random time");
  app.add_option("--garbage-after", options.garbageAfter, "answer lines after N with random bytes");
  app.add_option("--garbage-lines", garbageLines, "N or N-M: answer these lines with random bytes");
  app.add_option("--truncate-after", options.truncateAfter,
                 "cut the answers of lines after N short");
  app.add_option("--truncate-lines", truncateLines,
                 "N or N-M: cut the answers of these lines short");
  app.add_option("--cut-frame-line", options.cutFrameLine,
                 "send the answer to line N as a cut frame, then stay silent on that connection");
  app.add_option("--no-hello", options.connectionsWithoutHello,
                 "accept the first N connections without greeting them")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--state", options.stateFile,
                 "file that keeps stored settings, probe memory and constants");
  app.add_option("--record", options.recordFile, "append every received line to this file");
  app.add_option("--replay", options.replayFile,
                 "answer queries with the replies of a protocol log (qel11ctl --log); "
                 "other lines as the virtual instrument does");
#ifndef _WIN32
  // The instrument as a HID device through /dev/uhid instead of the TCP port.
  bool uhid = false;
  std::string uhidNode = "/dev/uhid";
  qel::sim::UhidServerOptions uhidOptions;
  app.add_flag("--uhid", uhid, "be a HID device through /dev/uhid (root or write permission)");
  app.add_option("--uhid-node", uhidNode, "the uhid node (default /dev/uhid)");
  app.add_option("--uhid-events", uhidOptions.eventLog,
                 "append the device's uhid events to this file, one per line");
  app.add_option("--replug-ms", uhidOptions.replugDelayMs,
                 "with --uhid and --disconnect-after: pause before the device comes back, ms")
      ->check(CLI::NonNegativeNumber);
#endif
  // UTF-8 arguments (file names with any character) on every system.
  std::vector<std::string> arguments = qel::Utf8Arguments(argc, argv);
  std::vector<char*> utf8Argv;
  utf8Argv.reserve(arguments.size());
  for (std::string& argument : arguments) utf8Argv.push_back(argument.data());
  try {
    app.parse(static_cast<int>(utf8Argv.size()), utf8Argv.data());
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;  // --help is no error; a bad option is a usage error
  }

  try {
    std::size_t used = 0;
    const unsigned long id = std::stoul(product, &used, 16);
    if (used != product.size() || (id != 0xFE78 && id != 0x003F)) throw std::invalid_argument("");
    options.productId = static_cast<std::uint16_t>(id);
  } catch (const std::exception&) {
    std::cerr << "qel11-sim: --product must be FE78 or 003F\n";
    return 2;
  }

  for (const auto& [text, range, name] :
       {std::tuple{&silentLines, &options.silentLines, "--silent-lines"},
        std::tuple{&garbageLines, &options.garbageLines, "--garbage-lines"},
        std::tuple{&truncateLines, &options.truncateLines, "--truncate-lines"}}) {
    if (text->empty()) continue;
    const auto parsed = qel::sim::ParseLineRange(*text);
    if (!parsed) {
      std::cerr << "qel11-sim: " << name << " must be N or N-M with 1 <= N <= M\n";
      return 2;
    }
    *range = *parsed;
  }
  if (!lateMs.empty()) {
    const auto range = qel::sim::ParseNumberRange(lateMs, 0);
    if (!range || range->second > 3600000) {
      std::cerr << "qel11-sim: --late-ms must be MS or MIN-MAX (0 to 3600000)\n";
      return 2;
    }
    options.lateAnswerDelayMs = static_cast<int>(range->first);
    options.lateAnswerDelayMaxMs = static_cast<int>(range->second);
  }

#ifndef _WIN32
  if (uhid) {
    return qel::sim::RunUhidInstrument(options, uhidOptions, uhidNode, std::cout, std::cerr);
  }
#endif

  try {
    qel::sim::SimBackend backend(options);
    qel::sim::ReportStreamServer server(backend);
    std::string error;
    if (!server.Listen(static_cast<std::uint16_t>(port), error)) {
      std::cerr << "qel11-sim: " << error << "\n";
      return 1;
    }
    g_server = &server;
    StopOnSignals();

    std::printf("listening on tcp:127.0.0.1:%u\n", static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    server.Run();
    g_server = nullptr;
    if (!backend.SaveState(error)) {
      std::cerr << "qel11-sim: " << error << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "qel11-sim: " << e.what() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace

// Whatever escapes (out of memory, a bad state file's folder) ends the run with its reason
// and status 2, never through std::terminate.
int main(int argc, char** argv) {
  try {
    return RunProgram(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "qel11-sim: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "qel11-sim: unexpected error\n";
  }
  return 2;
}
