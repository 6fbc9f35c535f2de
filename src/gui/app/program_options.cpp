// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/program_options.h"

#include <charconv>

namespace qel::gui {

namespace {

// "--name=value" or "--name value"; advances i past what it consumed.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::string& value, std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == '=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= args.size()) {
    error = name + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

bool Named(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string& error) {
  ProgramOptions options;
  bool haveFirst = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (Named(arg, "--device")) {
      if (!TakeValue(args, i, "--device", options.device, error)) return std::nullopt;
    } else if (arg == "--simulate") {
      options.device = "sim";
    } else if (Named(arg, "--timeout")) {
      std::string text;
      if (!TakeValue(args, i, "--timeout", text, error)) return std::nullopt;
      int ms = 0;
      const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
      if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || ms < 1) {
        error = "--timeout needs a time in milliseconds, not \"" + text + "\"";
        return std::nullopt;
      }
      options.timeoutMs = ms;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (!haveFirst) {
      options.firstArgument = arg;
      haveFirst = true;
    }
  }
  return options;
}

}  // namespace qel::gui
