// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the rows of a recording go: a file, or a stream such as stdout. Each Write hands
// over one whole piece (the header, or one row) and returns only once it has reached the
// operating system, so a crash or a pulled cable loses at most the row being written.

#include <filesystem>
#include <iosfwd>
#include <string_view>

namespace qel {

class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // False when the piece could not be written (disk full, no permission, a closed pipe);
  // the recording stops then.
  virtual bool Write(std::string_view bytes) = 0;
};

// A file created (or emptied) for the recording. A write that fails part way is cut off
// again, so the file ends with the last complete row and stays readable.
class RecordFile : public RecordSink {
 public:
  RecordFile() = default;
  ~RecordFile() override;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // False when the file cannot be created or opened for writing.
  bool Open(const std::filesystem::path& path);
  bool Write(std::string_view bytes) override;
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  long long written_ = 0;  // bytes of complete pieces
};

class StreamRecordSink : public RecordSink {
 public:
  explicit StreamRecordSink(std::ostream& out) : out_(out) {}
  bool Write(std::string_view bytes) override;

 private:
  std::ostream& out_;
};

}  // namespace qel
