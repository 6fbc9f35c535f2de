// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter file (*.QEL) bytes. Properties: opening a file, saving the pages and opening
// the saved file again gives the same settings, up to what the profile-file rules do not
// keep (a value's surrounding blanks, one pair of enclosing quotes): saved again, the file
// holds every value of the first save as a profile file reads it back; and the reopened
// pages send the same lines as pages opened from that second file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "core/platform/ini_document.h"
#include "fuzz_check.h"
#include "recording_instrument.h"

namespace {

std::vector<std::string> LinesWritten(const qel::ParameterPages& pages) {
  qel::fuzz::RecordingInstrument instrument;
  pages.WriteAll(instrument.Session());
  return instrument.Lines();
}

// A value as a profile file hands it back after writing it.
std::string AsReadBack(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  constexpr std::string_view kBlanks = " \t\r\v\f";
  const auto first = value.find_first_not_of(kBlanks);
  if (first == std::string::npos) return {};
  value = value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, qel::IniDocument::kMaxValueLength);
}

// The saved file with each value as reading it gives (every line the pages write is a
// section header or "key=value").
std::vector<std::string> ValuesReadBack(const std::string& saved) {
  std::vector<std::string> lines = qel::IniDocument::Parse(saved).Lines();
  for (std::string& line : lines) {
    const auto equals = line.find('=');
    if (!line.empty() && line.front() != '[' && equals != std::string::npos) {
      line = line.substr(0, equals + 1) + AsReadBack(line.substr(equals + 1));
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qel::ParameterFileInfo info{"18.06.2021 14:05:00", "LABOR-PC"};

  qel::ParameterPages opened;
  opened.LoadAll(qel::IniDocument::Parse(bytes));
  const std::string saved = qel::BuildParameterFile(opened, info).Serialize();

  qel::ParameterPages reopened;
  reopened.LoadAll(qel::IniDocument::Parse(saved));
  const std::string savedAgain = qel::BuildParameterFile(reopened, info).Serialize();
  const auto expected = ValuesReadBack(saved);
  const auto actual = qel::IniDocument::Parse(savedAgain).Lines();
  FUZZ_CHECK(actual.size() == expected.size(), savedAgain);
  for (std::size_t i = 0; i < actual.size(); ++i) {
    FUZZ_CHECK(actual[i] == expected[i], "the saved file opens to other settings: \"" + actual[i] +
                                             "\" instead of \"" + expected[i] + "\"");
  }

  qel::ParameterPages third;
  third.LoadAll(qel::IniDocument::Parse(savedAgain));
  FUZZ_CHECK(LinesWritten(third) == LinesWritten(reopened), "reopening changed the lines sent");
  return 0;
}
