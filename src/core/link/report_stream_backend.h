#pragma once
// tcp:HOST:PORT — the instrument in another process, spoken to over the report-stream
// protocol as if it were one HID device. The tool is the client and connects only where
// the user points it. A live connection is a plugged device; a closed one is an
// unplugged device (reported by the next scan), and the scan after that reconnects.

#include <memory>
#include <string>

#include "core/link/hid_backend.h"

namespace qel {

class ReportStreamBackend : public HidBackend {
 public:
  ReportStreamBackend(std::string host, int port, int connectTimeoutMs = 1000);
  ~ReportStreamBackend() override;

  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) override;

  std::string Path() const;
  // Why the last connection attempt failed (empty after a success).
  const std::string& LastError() const { return lastError_; }

  struct Stream;  // one TCP connection; shared with the connections opened on it

 private:
  bool Connect();

  std::string host_;
  int port_;
  int connectTimeoutMs_;
  std::shared_ptr<Stream> stream_;
  std::string lastError_;
};

}  // namespace qel
