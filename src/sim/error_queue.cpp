// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/error_queue.h"

namespace qel::sim {

void ErrorQueue::Push(const ScpiError& error) {
  Push(error.code, error.text);
}

void ErrorQueue::Push(int code, std::string_view text) {
  if (entries_.size() >= kDepth) {
    // A full queue keeps its older entries; the last one says that errors were lost.
    entries_.back() = Entry{scpi_error::kQueueOverflow.code, scpi_error::kQueueOverflow.text};
    return;
  }
  entries_.push_back(Entry{code, std::string(text)});
}

std::string ErrorQueue::Pop() {
  if (entries_.empty()) return "0,\"No error\"";
  Entry entry = std::move(entries_.front());
  entries_.pop_front();
  return std::to_string(entry.code) + ",\"" + entry.text + "\"";
}

}  // namespace qel::sim
