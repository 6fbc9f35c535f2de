// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace qel {

void PrintTo(const ReportLengths& r, std::ostream* os) {
  *os << "{in " << r.input << ", out " << r.output << ", feature " << r.feature
      << (r.usesReportIds ? ", ids}" : ", no ids}");
}

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Parses an exact-size heap copy, so a read past the end shows under AddressSanitizer.
ReportLengths Parse(const Bytes& bytes, std::size_t length) {
  auto copy = std::make_unique<std::uint8_t[]>(length);
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length), copy.get());
  return ComputeReportLengths(copy.get(), length);
}

// Building blocks, annotated item by item.
const Bytes kVendorHead = {
    0x06, 0x00, 0xFF,  // Usage Page (vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        // Logical Minimum (0)
    0x26, 0xFF, 0x00,  // Logical Maximum (255)
    0x75, 0x08,        // Report Size (8)
};
const Bytes kEnd = {0xC0};                        // End Collection
const Bytes kCount64 = {0x95, 0x40};              // Report Count (64)
const Bytes kCount65 = {0x95, 0x41};              // Report Count (65)
const Bytes kInput = {0x09, 0x01, 0x81, 0x02};    // Usage, Input (Data,Var,Abs)
const Bytes kOutput = {0x09, 0x01, 0x91, 0x02};   // Usage, Output (Data,Var,Abs)
const Bytes kFeature = {0x09, 0x01, 0xB1, 0x02};  // Usage, Feature (Data,Var,Abs)
Bytes Id(std::uint8_t id) {
  return {0x85, id};
}  // Report ID
Bytes Count(std::uint8_t n) {
  return {0x95, n};
}  // Report Count, 1 data byte
Bytes Size(std::uint8_t n) {
  return {0x75, n};
}  // Report Size, 1 data byte

// The instrument's descriptor: 64 bytes in, 64 bytes out, no report IDs.
const Bytes kInstrument64 = Join({kVendorHead, kCount64, kInput, kCount64, kOutput, kEnd});

struct Row {
  const char* name;
  Bytes descriptor;
  ReportLengths want;
};

TEST(ComputeReportLengths, FixtureDescriptors) {
  const std::vector<Row> rows = {
      {"64 in, 64 out, no IDs: ID byte still counted", kInstrument64, {65, 65, 0, false}},
      {"64 in, 65 out",
       Join({kVendorHead, kCount64, kInput, kCount65, kOutput, kEnd}),
       {65, 66, 0, false}},
      {"input only", Join({kVendorHead, kCount64, kInput, kEnd}), {65, 0, 0, false}},
      {"two report IDs: longest of each kind",
       Join({kVendorHead, Id(1), Count(8), kInput, kOutput, Id(2), Count(32), kInput, Count(4),
             kOutput, kEnd}),
       {33, 9, 0, true}},
      {"items of one ID add up",
       Join({kVendorHead, Id(7), Count(10), kInput, Count(20), kInput, kEnd}),
       {31, 0, 0, true}},
      {"feature reports beside input",
       Join({kVendorHead, kCount64, kInput, Count(4), kFeature, kEnd}),
       {65, 0, 5, false}},
      {"feature only, with an ID",
       Join({kVendorHead, Id(3), Count(16), kFeature, kEnd}),
       {0, 0, 17, true}},
      {"bits round up to whole bytes",
       Join({Size(1), Count(3), kInput, Size(9), Count(1), kOutput}),
       {2, 3, 0, false}},
      {"bit field with padding",
       Join({Size(1), Count(3), kInput, Size(5), Count(1), {0x81, 0x03}}),
       {2, 0, 0, false}},
      {"2- and 4-byte data, little-endian",
       Join({{0x76, 0x00, 0x01}, {0x97, 0x02, 0x00, 0x00, 0x00}, kInput}),
       {65, 0, 0, false}},
      {"collections and local items add nothing",
       Join({{0xA1, 0x02, 0x19, 0x01, 0x29, 0x40, 0xA1, 0x00, 0xC0, 0xC0}}),
       {0, 0, 0, false}},
      {"Push/Pop restore size, count and ID",
       Join({Size(8), Count(4), Id(1), {0xA4}, Id(2), Count(32), kInput, {0xB4}, kInput, kInput}),
       {33, 0, 0, true}},
      {"Pop without Push keeps the state",
       Join({Size(8), {0xB4}, Count(64), {0xB4}, kInput}),
       {65, 0, 0, false}},
      {"long item skipped, its data not taken as items",
       Join({kVendorHead, {0xFE, 0x04, 0x10, 0x95, 0x10, 0x81, 0x02}, kCount64, kInput, kEnd}),
       {65, 0, 0, false}},
      {"huge sizes saturate",
       Join({{0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF}, kInput, kInput}),
       {INT_MAX, 0, 0, false}},
      {"empty", {}, {0, 0, 0, false}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Parse(row.descriptor, row.descriptor.size()), row.want) << row.name;
  }
}

TEST(ComputeReportLengths, NullDescriptorIsEmpty) {
  EXPECT_EQ(ComputeReportLengths(nullptr, 10), ReportLengths{});
}

// A descriptor cut short counts what came before the cut and never reads past it.
TEST(ComputeReportLengths, TruncatedDescriptors) {
  const Bytes cutInLongItem = Join({kVendorHead, kCount64, kInput, {0xFE, 0x05, 0x00, 0x81, 0x02}});
  const Bytes cutIn4ByteItem = Join({kVendorHead, kCount64, kInput, {0x97, 0x01, 0x00}});
  const Bytes cutInOutputItem = Join({kVendorHead, kCount64, kInput, kCount64, {0x09, 0x01, 0x91}});
  const std::vector<Row> rows = {
      {"cut inside the long item", cutInLongItem, {65, 0, 0, false}},
      {"cut inside a 4-byte item", cutIn4ByteItem, {65, 0, 0, false}},
      {"cut before the output item's data", cutInOutputItem, {65, 0, 0, false}},
      {"long item header cut", Join({kCount64, Size(8), kInput, {0xFE, 0x01}}), {65, 0, 0, false}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Parse(row.descriptor, row.descriptor.size()), row.want) << row.name;
  }

  // Every prefix of the instrument's descriptor: nothing before the Input item, 65 in
  // once it is whole, 65 out once the Output item is whole.
  const std::size_t inputEnd = kVendorHead.size() + kCount64.size() + kInput.size();
  const std::size_t outputEnd = inputEnd + kCount64.size() + kOutput.size();
  for (std::size_t n = 0; n <= kInstrument64.size(); ++n) {
    const ReportLengths want{n >= inputEnd ? 65 : 0, n >= outputEnd ? 65 : 0, 0, false};
    EXPECT_EQ(Parse(kInstrument64, n), want) << "first " << n << " bytes";
  }
}

}  // namespace
}  // namespace qel
