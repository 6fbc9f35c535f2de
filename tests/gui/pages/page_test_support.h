// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page frames over an instrument that answers from a table (exact replies, every line
// received), and the whole window program over the same kind of instrument.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../../core/diag/scripted_instrument.h"
#include "../../core/link/fake_backend.h"
#include "../../core/platform/temp_dir.h"
#include "../lang/qstring_printer.h"
#include "../user_input.h"
#include "gui/app/qel_application.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::testing {

using Lines = std::vector<std::string>;

// One page's view of the run: the table instrument's session.
struct TableContext {
  explicit TableContext(std::map<std::string, std::string> replies = {})
      : meter(std::move(replies)) {}
  Lines ReceivedLines() const { return meter.Lines(); }

  ScriptedInstrument meter;
  ScpiSession& session = meter.Session();
};

// The window program over a table instrument: what a user sees with a meter that gives
// these replies.
struct TableAppFixture {
  explicit TableAppFixture(std::map<std::string, std::string> replies = {})
      : replies_(std::move(replies)) {
    gui::ProgramOptions options;
    options.device = "table";
    options.timeoutMs = 200;
    auto backend = std::make_unique<FakeBackend>();
    device = backend->Add(MakeInfo("qel", kQelVendorId, kQelProductId));
    device->onWrite = [this](FakeDevice& d, const std::vector<std::uint8_t>& report) {
      const auto it = replies_.find(LineOf(report));
      d.queued.push_back(
          Report(it == replies_.end() ? "" : it->second, d.info.inputReportByteLength));
    };
    const std::string settingsPath = dir.File("QEL_HID_SETUP.ini");
    app = std::make_unique<gui::QelApplication>(
        options, std::move(backend), [settingsPath] { return settingsPath; }, true);
    app->MainForm().ReportError = [this](const QString& m) { errors.push_back(m); };
    app->ScanNow();
    device->written.clear();
  }

  Ui::TMainForm& Form() { return app->MainForm().Form(); }
  Lines ReceivedLines() const {
    std::vector<std::string> lines;
    for (const auto& report : device->written) lines.push_back(LineOf(report));
    return lines;
  }

  static std::string LineOf(const std::vector<std::uint8_t>& report) {
    std::string text(report.begin() + 1, report.end());
    text = text.substr(0, text.find('\0'));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  TempDir dir;
  std::shared_ptr<FakeDevice> device;
  std::unique_ptr<gui::QelApplication> app;
  std::vector<QString> errors;

 private:
  std::map<std::string, std::string> replies_;
};

// The user picks item `position` of a choice box through its open list.
inline void UserChooses(QComboBox& box, int position) {
  ChooseItem(box, position);
}

inline QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

}  // namespace qel::testing
