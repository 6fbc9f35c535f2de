// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/display_memory.h"

#include <gtest/gtest.h>

#include "sim/display_font.h"
#include "sim/instrument.h"

namespace qel::sim {
namespace {

bool PixelOf(const DisplayMemory& memory, int x, int y) {
  return (memory[(y / 8) * 132 + x] >> (y % 8)) & 1u;
}

TEST(DisplayMemoryLayout, PageColumnBytesWithBitZeroOnTop) {
  DisplayCanvas canvas;
  canvas.SetPixel(0, 0);
  canvas.SetPixel(0, 15);    // page 1, bit 7
  canvas.SetPixel(131, 24);  // page 3, last column, bit 0
  canvas.SetPixel(132, 0);   // off the display
  const DisplayMemory& memory = canvas.memory();
  EXPECT_EQ(memory[0], 0x01);
  EXPECT_EQ(memory[132], 0x80);
  EXPECT_EQ(memory[3 * 132 + 131], 0x01);
  int setBytes = 0;
  for (auto byte : memory) setBytes += byte != 0;
  EXPECT_EQ(setBytes, 3);
}

TEST(DisplayMemoryLayout, GlyphColumnsAreBytesOfTheirPage) {
  // "T": top row across, stem in the middle column.
  EXPECT_EQ(GlyphColumns('T'), (std::array<std::uint8_t, 5>{0x01, 0x01, 0x7F, 0x01, 0x01}));
  EXPECT_EQ(GlyphColumns('1'), (std::array<std::uint8_t, 5>{0x00, 0x42, 0x7F, 0x40, 0x00}));
  EXPECT_EQ(GlyphColumns('t'), GlyphColumns('T'));
  EXPECT_EQ(GlyphColumns('~'), (std::array<std::uint8_t, 5>{}));
}

TEST(DisplayMemoryLayout, StatusLineStandsInPageThree) {
  DisplayContent content;
  content.status = "DC";
  const DisplayMemory memory = RenderDisplay(content);
  const auto d = GlyphColumns('D');
  const auto c = GlyphColumns('C');
  for (int col = 0; col < 5; ++col) {
    EXPECT_EQ(memory[396 + col], d[col]) << col;
    EXPECT_EQ(memory[396 + 6 + col], c[col]) << col;
  }
  EXPECT_EQ(memory[396 + 5], 0);  // one blank column between characters
}

TEST(DisplayMemoryLayout, ReadingIsDrawnTwiceAsLargeAcrossPagesZeroAndOne) {
  DisplayContent content;
  content.reading = "+";
  content.unit = "mT";
  const DisplayMemory memory = RenderDisplay(content);
  // Row 3 of "+" is a full bar: display rows 6 and 7, columns 0..9.
  for (int x = 0; x < 10; ++x) {
    EXPECT_TRUE(PixelOf(memory, x, 6)) << x;
    EXPECT_TRUE(PixelOf(memory, x, 7)) << x;
    EXPECT_EQ(PixelOf(memory, x, 8), x == 4 || x == 5) << x;  // only the stem goes on
  }
  // The stem (font column 2) spans rows 2..11.
  EXPECT_TRUE(PixelOf(memory, 4, 2));
  EXPECT_TRUE(PixelOf(memory, 5, 11));
  EXPECT_FALSE(PixelOf(memory, 4, 12));
  // The unit ends at the right edge, from row 8: "T" is the last character.
  const auto t = GlyphColumns('T');
  for (int col = 0; col < 5; ++col) EXPECT_EQ(memory[132 + 127 + col], t[col]);
  for (int i = 528; i < 1024; ++i) ASSERT_EQ(memory[i], 0) << i;
}

TEST(DisplayContentOfTheInstrument, ShowsReadingUnitAndStatus) {
  Instrument instrument;
  instrument.reading().SetNoiseScale(0);
  instrument.reading().SetField(0.0253, 0);
  instrument.HandleLine("MODE?");
  DisplayContent content = instrument.CurrentDisplay();
  EXPECT_EQ(content.reading, "+25.30");
  EXPECT_EQ(content.unit, "mT");
  EXPECT_EQ(content.status, "DC R1");
  instrument.HandleLine("UNIT APM;:RANG:SET 3;:INTE:TLOK 1");
  content = instrument.CurrentDisplay();
  EXPECT_EQ(content.reading, "+0020");
  EXPECT_EQ(content.unit, "kA/m");
  EXPECT_EQ(content.status, "DC R3 LOCK");
  instrument.HandleLine("UNIT TESL;:INTE:RANG 7");
  content = instrument.CurrentDisplay();
  EXPECT_EQ(content.reading, " OVLD ");
  EXPECT_EQ(content.unit, "");
  EXPECT_EQ(content.status, "DC B7 TEST LOCK");
}

TEST(DisplayContentOfTheInstrument, AcAndPeakModesShowTheirSecondLine) {
  Instrument instrument;
  instrument.reading().SetNoiseScale(0);
  instrument.reading().SetField(0.0253, 0.002);
  instrument.HandleLine("MODE AC");
  DisplayContent content = instrument.CurrentDisplay();
  EXPECT_EQ(content.reading, "+02.00");
  EXPECT_EQ(content.secondary, "DC +25.30 mT");
  instrument.reading().SetField(0.005, 0);
  instrument.HandleLine("MODE PEAK;:PEAK:NULL");
  instrument.HandleLine("MODE?");
  content = instrument.CurrentDisplay();
  EXPECT_EQ(content.reading, "+05.00");
  EXPECT_EQ(content.secondary, "MIN+05.00 MAX+05.00");
  EXPECT_EQ(content.status, "PEAK R1");
}

// The capture of the hardcopy window: 25 lines, 22 chunks, the whole memory.
TEST(HardcopyReadout, ChunkedReadGivesTheWholeMemory) {
  Instrument instrument;
  instrument.reading().SetNoiseScale(0);
  EXPECT_EQ(instrument.HandleLine("INTE:HCLN 48"), "");
  EXPECT_EQ(instrument.HandleLine("INTE:HCOF 0"), "");
  const DisplayMemory expected = instrument.RenderedDisplay();
  std::string collected;
  int offset = 0, chunk = 48, queries = 0;
  while (offset < 1024) {
    if (offset + chunk > 1023) {
      chunk = 1024 - offset;
      instrument.HandleLine("INTE:HCLN " + std::to_string(chunk));
    }
    const std::string reply = instrument.HandleLine("INTE:HC?");
    ASSERT_EQ(reply.size(), 6u + chunk);
    ASSERT_LE(reply.size(), 64u);
    char header[8];
    std::snprintf(header, sizeof header, "#4%04d", chunk);
    EXPECT_EQ(reply.substr(0, 6), header);
    collected += reply.substr(6);
    offset += chunk;
    ++queries;
  }
  EXPECT_EQ(queries, 22);
  EXPECT_EQ(chunk, 16);
  ASSERT_EQ(collected.size(), 1024u);
  EXPECT_EQ(collected, std::string(expected.begin(), expected.end()));
  EXPECT_NE(collected.find('\0'), std::string::npos);  // raw bytes, NULs included
  // Past the end: a header with no bytes.
  EXPECT_EQ(instrument.HandleLine("INTE:HC?"), "#40000");
  EXPECT_EQ(instrument.HandleLine("INTE:HCOF?"), "1024");
}

TEST(HardcopyReadout, OffsetAndLengthLimits) {
  Instrument instrument;
  instrument.HandleLine("INTE:HCLN 59");
  instrument.HandleLine("INTE:HCLN 0");
  instrument.HandleLine("INTE:HCOF 1025");
  instrument.HandleLine("INTE:HCOF -1");
  EXPECT_EQ(instrument.HandleLine("INTE:HCLN?;HCOF?"), "48;0");
  EXPECT_EQ(instrument.errors().size(), 4u);
  instrument.HandleLine("INTE:HCLN 58;HCOF 1000");
  const std::string reply = instrument.HandleLine("INTE:HC?");
  EXPECT_EQ(reply.substr(0, 6), "#40024");
  EXPECT_EQ(reply.size(), 30u);
}

}  // namespace
}  // namespace qel::sim
