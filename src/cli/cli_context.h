// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of a qel11ctl command on one instrument: the chosen backend, the link over it
// and the SCPI session, built from the same core objects the window program uses. With
// several instruments every one gets a context of its own (device_runner.h).

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_writer.h"
#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"
#include "core/link/device_selection.h"
#include "core/link/hid_link.h"
#include "core/link/log_view.h"
#include "core/link/scpi_session.h"

namespace qel::cli {

// Exit statuses of qel11ctl.
inline constexpr int kExitOk = 0;
// none claimed, a line got no answer, a reply that does not fit its line, or a difference
inline constexpr int kExitNoInstrument = 1;
inline constexpr int kExitUsage = 2;  // usage or file error

struct GlobalOptions {
  std::vector<std::string> devices;  // --device as given, in order; none: auto
  int timeoutMs = HidLink::kDefaultReadTimeoutMs;
  bool log = false;
  bool json = false;
  // The user's decimal separator, read once before any instrument runs (the C library's
  // locale calls are not safe while other threads run).
  char decimalSeparator = '.';
};

class FileNames;

// Which instrument a context talks to.
struct DeviceSlot {
  std::string device = "auto";  // the --device text, or a HID path of --device all
  // One of several instruments: files named on the command line get its serial number.
  bool many = false;
  FileNames* fileNames = nullptr;  // shared by the instruments of one run (many only)
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
  CliContext(GlobalOptions options, DeviceSlot slot, std::ostream& out, std::ostream& err);

  // Decides the language and builds the backend; false (with a message) when the device
  // text names nothing usable.
  bool Init();
  // The first scan; false (with a message) when no instrument was claimed.
  bool ClaimInstrument();

  HidBackend& Backend() { return *backend_; }
  HidLink& Link() { return *link_; }
  ScpiSession& Session() { return *session_; }
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }
  const GlobalOptions& Options() const { return options_; }
  const DeviceSlot& Slot() const { return slot_; }

  // Exit status after an action: 1 when a line got no answer, else 0.
  int ExitAfterExchanges();

  // The language of the texts the tool prints, decided like the window program's: the
  // settings file, else the system language. With English the dictionary is loaded.
  const LanguageState& Language() const { return language_; }
  // A text built at run time in the chosen language (TranslateIfActive), Windows-1252.
  std::string Translate(std::string_view text) const;

  // Commands whose output is rows say so before anything else; --json then prints the
  // rows as an array (an empty one when none came).
  void StartRows() { rowsStarted_ = true; }
  // One output row: `text` (UTF-8) as the text output's line, `fields` for --json.
  void Row(const std::string& text, JsonRow fields);
  bool RowsStarted() const { return rowsStarted_; }
  const std::vector<JsonRow>& Rows() const { return rows_; }

  // The file a command writes for a name given on the command line: the name itself, or
  // with several instruments the name with this instrument's serial number before the
  // suffix (x.QEL -> x_SERIAL.QEL), asked with "SN:UNIT?" once the file is due.
  std::string OutputPath(const std::string& given);

 private:
  GlobalOptions options_;
  DeviceSlot slot_;
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
  bool rowsStarted_ = false;
  std::vector<JsonRow> rows_;
};

}  // namespace qel::cli
