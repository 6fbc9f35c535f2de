// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/record_sink.h"

#include <ostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace qel {

RecordFile::~RecordFile() {
  Close();
}

bool RecordFile::Open(const std::filesystem::path& path) {
  Close();
#ifdef _WIN32
  fd_ = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
#endif
  written_ = 0;
  return fd_ >= 0;
}

bool RecordFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
#ifdef _WIN32
    const int n = _write(fd_, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
#else
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
#endif
    if (n <= 0) {
      // Part of a row on disk would be a torn last line: cut back to the last whole one.
      if (done > 0) {
#ifdef _WIN32
        (void)_chsize_s(fd_, written_);
        (void)_lseeki64(fd_, written_, SEEK_SET);
#else
        (void)::ftruncate(fd_, static_cast<off_t>(written_));
        (void)::lseek(fd_, static_cast<off_t>(written_), SEEK_SET);
#endif
      }
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  written_ += static_cast<long long>(bytes.size());
  return true;
}

void RecordFile::Close() {
  if (fd_ < 0) return;
#ifdef _WIN32
  _close(fd_);
#else
  ::close(fd_);
#endif
  fd_ = -1;
}

bool StreamRecordSink::Write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace qel
