// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A limit of the output page (`OG_Edit`, `UG_Edit`): the text of its field, as typed
// (through NumericKeyFilter), read (FormatLimitValue) or loaded (LimitTextFromFile), sent
// and saved exactly as it stands. The GUI's limit field binds to one of these.

#include <string>
#include <string_view>

namespace qel {

class IniDocument;
class ScpiSession;

class LimitValue {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  // The setting line "<header> <text>"; none while the field is empty.
  void WriteToDevice(ScpiSession& session, const std::string& header) const;

  void SaveToIni(IniDocument& file, std::string_view section, std::string_view key) const;
  // A missing key loads "0"; so does a text that is no number (LimitTextFromFile), so a
  // file cannot smuggle further commands into the setting line.
  void LoadFromIni(const IniDocument& file, std::string_view section, std::string_view key);

 private:
  std::string text_ = "0.0000";
};

}  // namespace qel
