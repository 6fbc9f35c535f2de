#pragma once
// One run of qel11ctl: the chosen backend, the link over it and the SCPI session, built
// from the same core objects the window program uses.

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "core/link/device_selection.h"
#include "core/link/hid_link.h"
#include "core/link/log_view.h"
#include "core/link/scpi_session.h"

namespace qel::cli {

// Exit statuses of qel11ctl.
inline constexpr int kExitOk = 0;
// none claimed, a line got no answer, or a reply that does not fit its line
inline constexpr int kExitNoInstrument = 1;
inline constexpr int kExitUsage = 2;  // usage or file error

struct GlobalOptions {
  std::string device = "auto";
  int timeoutMs = HidLink::kDefaultReadTimeoutMs;
  bool log = false;
};

// The protocol log written to a stream as it grows (--log); it is never trimmed.
class StreamLog : public LogView {
 public:
  explicit StreamLog(std::ostream& out) : out_(out) {}
  std::size_t LineCount() const override { return 0; }
  void DeleteFirstLine() override {}
  void AppendLine(const std::string& line) override;
  void Clear() override {}

 private:
  std::ostream& out_;
};

class CliContext {
 public:
  CliContext(const GlobalOptions& options, std::ostream& out, std::ostream& err);

  // Decides the language and builds the backend; false (with a message) when --device
  // names nothing usable.
  bool Init();
  // The first scan; false (with a message) when no instrument was claimed.
  bool ClaimInstrument();

  HidBackend& Backend() { return *backend_; }
  HidLink& Link() { return *link_; }
  ScpiSession& Session() { return *session_; }
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }

  // Exit status after an action: 1 when a line got no answer, else 0.
  int ExitAfterExchanges();

  // The language of the texts the tool prints, decided like the window program's: the
  // settings file, else the system language. With English the dictionary is loaded.
  const LanguageState& Language() const { return language_; }
  // A text built at run time in the chosen language (TranslateIfActive), Windows-1252.
  std::string Translate(std::string_view text) const;

 private:
  GlobalOptions options_;
  LanguageState language_;
  Dictionary dictionary_;
  std::ostream& out_;
  std::ostream& err_;
  DeviceOption device_;
  std::unique_ptr<HidBackend> backend_;
  MemoryLog memo_;
  StreamLog stderrLog_;
  std::unique_ptr<HidLink> link_;
  std::unique_ptr<ScpiSession> session_;
};

int RunList(CliContext& context);
int RunScpi(CliContext& context, const std::vector<std::string>& lines);

}  // namespace qel::cli
