// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/limit_value.h"

#include "core/link/scpi_session.h"
#include "core/pages/page_helpers.h"
#include "core/platform/ini_document.h"

namespace qel {

void LimitValue::WriteToDevice(ScpiSession& session, const std::string& header) const {
  if (!text_.empty()) session.ScpiQuery(header + " " + text_);
}

void LimitValue::SaveToIni(IniDocument& file, std::string_view section,
                           std::string_view key) const {
  file.WriteString(section, key, text_);
}

void LimitValue::LoadFromIni(const IniDocument& file, std::string_view section,
                             std::string_view key) {
  text_ = LimitTextFromFile(file.ReadString(section, key, "0"));
}

}  // namespace qel
