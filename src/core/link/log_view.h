// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A line-oriented log that the link and the SCPI exchange write into. The windows give
// their own view (the link window's Memo, the console's log), so that lines a user
// typed into the console count like any other; MemoryLog serves the CLI and the tests.

#include <cstddef>
#include <deque>
#include <string>

namespace qel {

class LogView {
 public:
  virtual ~LogView() = default;
  LogView() = default;
  LogView(const LogView&) = delete;
  LogView& operator=(const LogView&) = delete;

  virtual std::size_t LineCount() const = 0;
  virtual void DeleteFirstLine() = 0;
  virtual void AppendLine(const std::string& line) = 0;
  virtual void Clear() = 0;
};

// A log that keeps nothing: the link's until a window attaches its view.
class DiscardingLog : public LogView {
 public:
  std::size_t LineCount() const override { return 0; }
  void DeleteFirstLine() override {}
  void AppendLine(const std::string&) override {}
  void Clear() override {}
};

class MemoryLog : public LogView {
 public:
  std::size_t LineCount() const override { return lines_.size(); }
  void DeleteFirstLine() override {
    if (!lines_.empty()) lines_.pop_front();
  }
  void AppendLine(const std::string& line) override { lines_.push_back(line); }
  void Clear() override { lines_.clear(); }
  const std::deque<std::string>& Lines() const { return lines_; }

 private:
  std::deque<std::string> lines_;
};

}  // namespace qel
