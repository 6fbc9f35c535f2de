// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/link_commands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "core/diag/scpi_transcript.h"
#include "core/text/win1252.h"

namespace qel::cli {

int RunList(CliContext& context) {
  context.StartRows();
  int found = 0;
  for (const HidDeviceInfo& info : context.Backend().Enumerate()) {
    if (!IsInstrumentId(info.vendorId, info.productId)) continue;
    const std::string path = Win1252ToUtf8(info.path);
    const std::string description = Win1252ToUtf8(HidLink::DescribeDevice(info));
    context.Row(path + '\t' + description, {{"path", path}, {"description", description}});
    ++found;
  }
  if (found == 0) {
    context.Err() << "qel11ctl: no instrument found\n";
    return kExitNoInstrument;
  }
  return kExitOk;
}

// Each line as the SCPI tab's transcript shows it: "LINE -> REPLY", or the line alone
// when no reply came (and always for a line that is no query).
int RunScpi(CliContext& context, const std::vector<std::string>& lines) {
  context.StartRows();
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  for (const std::string& utf8Line : lines) {
    const std::string line = Utf8ToWin1252(utf8Line);
    const std::string reply = context.Session().ScpiQuery(line);
    const std::string entry = Win1252ToUtf8(TranscriptEntry(line, reply));
    const std::string shownLine = Win1252ToUtf8(line);
    if (reply.empty()) {
      context.Row(entry, {{"line", shownLine}, {"reply", std::nullopt}});
    } else {
      context.Row(entry, {{"line", shownLine}, {"reply", Win1252ToUtf8(reply)}});
    }
    if (!context.Link().LastExchangeAnswered()) {
      context.Err() << "qel11ctl: no answer to " << utf8Line << '\n';
    }
  }
  return context.ExitAfterExchanges();
}

void AddLinkCommands(CLI::App& app, Commands& commands) {
  auto* list = app.add_subcommand("list", "attached instruments, one per line");
  commands.push_back({list, nullptr, RunList});
  const auto lines = std::make_shared<std::vector<std::string>>();
  auto* scpi = app.add_subcommand("scpi", "send each line; print \"LINE -> REPLY\", or LINE alone");
  scpi->add_option("LINE", *lines, "SCPI lines")->required();
  commands.push_back(
      {scpi, nullptr, [lines](CliContext& context) { return RunScpi(context, *lines); }});
}

}  // namespace qel::cli
