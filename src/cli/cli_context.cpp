#include "cli/cli_context.h"

#include <ostream>

#include "core/diag/scpi_transcript.h"
#include "core/lang/language_choice.h"
#include "core/lang/translate_text.h"
#include "core/link/report_stream_backend.h"
#include "core/text/win1252.h"
#include "sim/sim_backend.h"

namespace qel::cli {

void StreamLog::AppendLine(const std::string& line) {
  out_ << Win1252ToUtf8(line) << '\n' << std::flush;
}

CliContext::CliContext(const GlobalOptions& options, std::ostream& out, std::ostream& err)
    : options_(options), out_(out), err_(err), stderrLog_(err) {}

bool CliContext::Init() {
  language_.EnglishSelected = DecideEnglishAtStart(EnvLookup(ProcessEnv));
  ActivateTranslation(dictionary_, language_);
  std::string error;
  const auto device = ParseDeviceOption(options_.device, error);
  if (!device) {
    err_ << "qel11ctl: " << error << '\n';
    return false;
  }
  device_ = *device;
  backend_ = MakeBackend(device_, [] { return std::make_unique<sim::SimBackend>(); });
  link_ = std::make_unique<HidLink>(*backend_, memo_);
  link_->SetReadTimeoutMs(options_.timeoutMs);
  session_ = std::make_unique<ScpiSession>(*link_, options_.log ? &stderrLog_ : nullptr);
  return true;
}

bool CliContext::ClaimInstrument() {
  link_->ScanNow();
  if (link_->Connected()) return true;
  std::string why;
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

int RunList(CliContext& context) {
  int found = 0;
  for (const HidDeviceInfo& info : context.Backend().Enumerate()) {
    if (info.vendorId != kQelVendorId ||
        (info.productId != kQelProductId && info.productId != kQelProductIdAlt))
      continue;
    context.Out() << Win1252ToUtf8(info.path) << '\t'
                  << Win1252ToUtf8(HidLink::DescribeDevice(info)) << '\n';
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
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  for (const std::string& utf8Line : lines) {
    const std::string line = Utf8ToWin1252(utf8Line);
    const std::string entry = SendTranscriptLine(context.Session(), line);
    context.Out() << Win1252ToUtf8(entry) << '\n' << std::flush;
    if (!context.Link().LastExchangeAnswered()) {
      context.Err() << "qel11ctl: no answer to " << utf8Line << '\n';
    }
  }
  return context.ExitAfterExchanges();
}

}  // namespace qel::cli
