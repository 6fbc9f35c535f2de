// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/report_stream_protocol.h"

#include <gtest/gtest.h>

namespace qel::report_stream {
namespace {

TEST(ReportStreamFrame, LengthIsBigEndianBeforePayload) {
  std::vector<std::uint8_t> payload(300, 0xAB);
  const auto frame = EncodeFrame(payload.data(), payload.size());
  ASSERT_EQ(frame.size(), 302u);
  EXPECT_EQ(frame[0], 0x01);
  EXPECT_EQ(frame[1], 0x2C);
  EXPECT_EQ(frame[2], 0xAB);
}

TEST(ReportStreamFrame, ReaderSplitsFramesFedInPieces) {
  auto a = EncodeFrame(std::string("abc"));
  auto b = EncodeFrame(std::string(""));
  auto c = EncodeFrame(std::string("xy"));
  std::vector<std::uint8_t> stream;
  for (auto* f : {&a, &b, &c}) stream.insert(stream.end(), f->begin(), f->end());
  FrameReader reader;
  std::vector<std::string> got;
  for (std::uint8_t byte : stream) {  // one byte at a time: the worst split
    reader.Feed(&byte, 1);
    while (auto frame = reader.Next()) got.emplace_back(frame->begin(), frame->end());
  }
  EXPECT_EQ(got, (std::vector<std::string>{"abc", "", "xy"}));
  EXPECT_FALSE(reader.HasPartial());
}

TEST(ReportStreamHello, RoundTripAndUnknownKeys) {
  HidDeviceInfo info;
  info.vendorId = 0x04D8;
  info.productId = 0xFE78;
  info.inputReportByteLength = 65;
  info.outputReportByteLength = 66;
  info.manufacturer = "KORVAL";
  info.product = "QEL11";
  const std::string hello = FormatHello(info);
  EXPECT_EQ(hello, "VID=04D8\nPID=FE78\nIN=65\nOUT=66\nMFR=KORVAL\nPRODUCT=QEL11\n");
  auto parsed = ParseHello("COLOR=blue\n" + hello);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(*parsed, info);
}

TEST(ReportStreamHello, RejectsMissingOrMalformedFields) {
  for (const char* text :
       {"VID=04D8\nPID=FE78\nIN=65\n", "VID=4D8\nPID=FE78\nIN=65\nOUT=65\n",
        "VID=04D8\nPID=FE7G\nIN=65\nOUT=65\n", "VID=04D8\nPID=FE78\nIN=0\nOUT=65\n",
        "VID=04D8\nPID=FE78\nIN=65\nOUT=6x\n", ""}) {
    EXPECT_FALSE(ParseHello(text)) << text;
  }
}

}  // namespace
}  // namespace qel::report_stream
