// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_context.h"

#include <ostream>

#include "cli/file_names.h"
#include "core/lang/language_choice.h"
#include "core/lang/translate_text.h"
#include "core/link/report_stream_backend.h"
#include "core/text/win1252.h"
#include "sim/sim_backend.h"

namespace qel::cli {

void StreamLog::AppendLine(const std::string& line) {
  out_ << Win1252ToUtf8(line) << '\n' << std::flush;
}

CliContext::CliContext(GlobalOptions options, DeviceSlot slot, std::ostream& out, std::ostream& err)
    : options_(std::move(options)), slot_(std::move(slot)), out_(out), err_(err), stderrLog_(err) {}

bool CliContext::Init() {
  language_.EnglishSelected = DecideEnglishAtStart(EnvLookup(ProcessEnv));
  ActivateTranslation(dictionary_, language_);
  std::string error;
  const auto device = ParseDeviceOption(slot_.device, error);
  if (!device) {
    err_ << "qel11ctl: " << error << '\n';
    return false;
  }
  device_ = *device;
  backend_ = MakeBackend(
      device_, [] { return std::make_unique<sim::SimBackend>(); }, options_.timeoutMs);
  link_ = std::make_unique<HidLink>(*backend_, memo_);
  link_->SetReadTimeoutMs(options_.timeoutMs);
  session_ = std::make_unique<ScpiSession>(*link_, options_.log ? &stderrLog_ : nullptr);
  return true;
}

bool CliContext::ClaimInstrument() {
  link_->ScanNow();
  if (link_->Connected()) return true;
  std::string why;
  if (!link_->OpenError().empty()) {
    // Found but not usable, typically for lack of permission on its device node.
    err_ << "qel11ctl: the instrument cannot be opened: " << Win1252ToUtf8(link_->OpenError())
         << '\n';
    return false;
  }
  if (device_.kind == DeviceOption::Kind::Tcp) {
    why = static_cast<ReportStreamBackend&>(*backend_).LastError();
  } else if (device_.kind == DeviceOption::Kind::Path) {
    why = "no instrument at " + device_.path;
  }
  err_ << "qel11ctl: no instrument found" << (why.empty() ? "" : " (" + why + ")") << '\n';
  return false;
}

std::string CliContext::Translate(std::string_view text) const {
  return TranslateIfActive(dictionary_, language_, text);
}

int CliContext::ExitAfterExchanges() {
  return session_->UnansweredLines() == 0 ? kExitOk : kExitNoInstrument;
}

void CliContext::Row(const std::string& text, JsonRow fields) {
  if (options_.json) {
    rows_.push_back(std::move(fields));
  } else {
    out_ << text << '\n' << std::flush;
  }
}

std::string CliContext::OutputPath(const std::string& given) {
  if (!slot_.many || given.empty() || given == "-") return given;
  std::string tag = SerialFileTag(session_->ScpiQuery("SN:UNIT?"));
  if (tag.empty()) {
    tag = SerialFileTag(Utf8ToWin1252(slot_.device));
    err_ << "qel11ctl: no serial number from the instrument; its file is named after "
         << slot_.device << '\n';
  }
  const std::string path = NameWithTag(given, tag);
  return slot_.fileNames != nullptr ? slot_.fileNames->Claim(path) : path;
}

}  // namespace qel::cli
