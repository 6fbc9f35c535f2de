// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Output of one instrument among several: every line gets the instrument's device text
// and a TAB in front, and goes out whole, so lines of instruments that run at the same
// time never mix within a line.

#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>

namespace qel::cli {

class PrefixedLineBuffer : public std::streambuf {
 public:
  // `lock` guards `target` for all instruments writing to it.
  PrefixedLineBuffer(std::ostream& target, std::mutex& lock, std::string prefix);
  ~PrefixedLineBuffer() override;

  // Writes a last line that has no line end yet, with one.
  void Finish();

 protected:
  int_type overflow(int_type ch) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;

 private:
  void Put(char c);

  std::ostream& target_;
  std::mutex& lock_;
  std::string prefix_;
  std::string line_;
};

// An ostream over a PrefixedLineBuffer.
class PrefixedLines : public std::ostream {
 public:
  PrefixedLines(std::ostream& target, std::mutex& lock, std::string prefix)
      : std::ostream(nullptr), buffer_(target, lock, std::move(prefix)) {
    rdbuf(&buffer_);
  }
  void Finish() { buffer_.Finish(); }

 private:
  PrefixedLineBuffer buffer_;
};

}  // namespace qel::cli
