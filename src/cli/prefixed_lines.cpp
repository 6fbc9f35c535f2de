// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/prefixed_lines.h"

namespace qel::cli {

PrefixedLineBuffer::PrefixedLineBuffer(std::ostream& target, std::mutex& lock, std::string prefix)
    : target_(target), lock_(lock), prefix_(std::move(prefix)) {}

PrefixedLineBuffer::~PrefixedLineBuffer() {
  Finish();
}

void PrefixedLineBuffer::Put(char c) {
  line_ += c;
  if (c != '\n') return;
  std::lock_guard guard(lock_);
  target_ << prefix_ << line_ << std::flush;
  line_.clear();
}

void PrefixedLineBuffer::Finish() {
  if (!line_.empty()) Put('\n');
}

PrefixedLineBuffer::int_type PrefixedLineBuffer::overflow(int_type ch) {
  if (!traits_type::eq_int_type(ch, traits_type::eof())) Put(traits_type::to_char_type(ch));
  return traits_type::not_eof(ch);
}

std::streamsize PrefixedLineBuffer::xsputn(const char* text, std::streamsize count) {
  for (std::streamsize i = 0; i < count; ++i) Put(text[i]);
  return count;
}

}  // namespace qel::cli
