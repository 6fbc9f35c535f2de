// SPDX-License-Identifier: GPL-3.0-or-later
// What the core adds per SCPI line: ScpiQuery (with the protocol log attached) against
// the bare backend exchange (write one report, read one report), over an in-process
// device that answers at once and over one that answers after 1 ms.

#include <chrono>
#include <deque>
#include <thread>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "ratio_reporter.h"

namespace {

using namespace qel;

class EchoConnection : public HidConnection {
 public:
  explicit EchoConnection(int delayUs) : delayUs_(delayUs) {}
  bool Write(const std::uint8_t* data, std::size_t length) override {
    std::vector<std::uint8_t> report(65, 0);
    // answer with a typical reading
    static const char kReply[] = "1.2345E-03;4.5678E-04";
    std::copy(kReply, kReply + sizeof kReply - 1, report.begin() + 1);
    (void)data;
    (void)length;
    queued_.push_back(std::move(report));
    return true;
  }
  // The answer takes delayUs to come; a look at the queue (time limit 0) costs nothing.
  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered) override {
    if (delayUs_ > 0 && timeoutMs != 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(delayUs_));
    }
    if (queued_.empty()) return ReadStatus::Timeout;
    delivered = std::min(capacity, queued_.front().size());
    std::copy_n(queued_.front().begin(), delivered, buffer);
    queued_.pop_front();
    return ReadStatus::Report;
  }

 private:
  int delayUs_;
  std::deque<std::vector<std::uint8_t>> queued_;
};

class EchoBackend : public HidBackend {
 public:
  explicit EchoBackend(int delayUs) : delayUs_(delayUs) {}
  std::vector<HidDeviceInfo> Enumerate() override {
    HidDeviceInfo info;
    info.path = "echo";
    info.vendorId = kQelVendorId;
    info.productId = kQelProductId;
    info.inputReportByteLength = 65;
    info.outputReportByteLength = 65;
    return {info};
  }
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo&) override {
    return std::make_unique<EchoConnection>(delayUs_);
  }

 private:
  int delayUs_;
};

void BM_RawExchange(benchmark::State& state) {
  EchoBackend backend(static_cast<int>(state.range(0)));
  auto connection = backend.Open(backend.Enumerate().front());
  std::uint8_t out[65] = {0, ':', 'r', 'e', 'a', 'd', '?', '\n'};
  std::uint8_t in[66];
  for (auto _ : state) {
    std::size_t delivered = 0;
    connection->Write(out, sizeof out);
    connection->Read(in, 65, 1000, delivered);
    benchmark::DoNotOptimize(in[1]);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ScpiQuery(benchmark::State& state) {
  EchoBackend backend(static_cast<int>(state.range(0)));
  MemoryLog memo;
  MemoryLog protocol;
  HidLink link(backend, memo);
  link.ScanNow();
  ScpiSession session(link, &protocol);
  for (auto _ : state) {
    benchmark::DoNotOptimize(session.ScpiQuery(":read?"));
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_RawExchange)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScpiQuery)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return qel::bench::RunWithRatios(
      argc, argv,
      {{"BM_ScpiQuery/0", "BM_RawExchange/0"}, {"BM_ScpiQuery/1000", "BM_RawExchange/1000"}});
}
