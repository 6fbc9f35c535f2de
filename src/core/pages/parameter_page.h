// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four operations every parameter page offers. Read and write go through
// ScpiSession::ScpiQuery only, one line after the other in the page's fixed order; save
// and load work on a parameter file held in memory (the caller loads and writes the
// file), each page under its own section.

#include "core/pages/page_reader.h"

namespace qel {

class IniDocument;
class ScpiSession;

class ParameterPage {
 public:
  virtual ~ParameterPage() = default;

  // Sends each query and sets the page from the reply. An empty reply (no instrument)
  // leaves boxes without selection and limits at "0.0000"; the window reports nothing.
  // Returns the answered queries whose reply did not fit (see PageReader).
  virtual UnfitReplies ReadFromDevice(ScpiSession& session) = 0;
  // Sends one setting line per setting: header, one blank, argument.
  virtual void WriteToDevice(ScpiSession& session) const = 0;
  virtual void SaveToIni(IniDocument& file) const = 0;
  // Missing keys give the page's defaults; nothing is sent to the instrument.
  virtual void LoadFromIni(const IniDocument& file) = 0;
};

}  // namespace qel
