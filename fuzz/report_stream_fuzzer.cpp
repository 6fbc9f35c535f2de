// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes arriving on a report-stream connection. The first byte sets the size of the pieces
// the stream is fed in (as TCP may cut it anywhere); the rest is the stream. Properties:
//  - the frames handed out, encoded again, are the stream's bytes from its start, and
//    whatever remains is less than one whole frame;
//  - a hello frame (the first frame, and the whole stream as text) that parses describes
//    a device whose hello, formatted and parsed again, gives the same device (unless a
//    name ends in CR: a CR before the LF belongs to the line end, so it cannot be sent).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/link/report_stream_protocol.h"
#include "fuzz_check.h"

namespace {

namespace rs = qel::report_stream;

void CheckHello(const std::string& text) {
  const auto device = rs::ParseHello(text);
  if (!device) return;
  FUZZ_CHECK(device->inputReportByteLength >= 1 && device->outputReportByteLength >= 1, text);
  for (const std::string* name : {&device->manufacturer, &device->product, &device->serial}) {
    if (name->ends_with('\r')) return;
  }
  const auto again = rs::ParseHello(rs::FormatHello(*device));
  FUZZ_CHECK(again.has_value(), rs::FormatHello(*device));
  FUZZ_CHECK(*again == *device, "hello does not survive formatting: " + rs::FormatHello(*device));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = std::size_t{data[0]} + 1;
  const std::uint8_t* stream = data + 1;
  const std::size_t length = size - 1;

  rs::FrameReader reader;
  std::vector<std::uint8_t> reencoded;
  std::vector<std::vector<std::uint8_t>> frames;
  for (std::size_t fed = 0; fed < length;) {
    const std::size_t n = std::min(piece, length - fed);
    reader.Feed(stream + fed, n);
    fed += n;
    while (auto frame = reader.Next()) {
      const auto bytes = rs::EncodeFrame(frame->data(), frame->size());
      reencoded.insert(reencoded.end(), bytes.begin(), bytes.end());
      frames.push_back(std::move(*frame));
    }
  }
  FUZZ_CHECK(reencoded.size() <= length && std::equal(reencoded.begin(), reencoded.end(), stream),
             "frames are not the stream's bytes");
  const std::size_t rest = length - reencoded.size();
  FUZZ_CHECK(reader.HasPartial() == (rest > 0), "partial frame state is wrong");
  if (rest >= 2) {
    const std::size_t announced =
        (std::size_t{stream[reencoded.size()]} << 8) | stream[reencoded.size() + 1];
    FUZZ_CHECK(rest < announced + 2, "a whole frame was held back");
  }

  if (!frames.empty()) CheckHello(std::string(frames.front().begin(), frames.front().end()));
  CheckHello(std::string(stream, stream + length));
  return 0;
}
