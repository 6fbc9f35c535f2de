// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The front display's memory and its read-out over INTE:HCLN / INTE:HCOF / INTE:HC?.
//
// The display is 132 columns by 32 rows, kept in 4 pages of 8 rows; the memory the
// read-out walks is 1024 bytes long:
//
//   byte index        content
//   0..131            page 0: rows 0..7 of columns 0..131
//   132..263          page 1: rows 8..15
//   264..395          page 2: rows 16..23
//   396..527          page 3: rows 24..31
//   528..1023         not shown; always 0
//
//   byte index = page * 132 + column; in each byte bit 0 is the top row of its page
//   (row page * 8) and bit 7 the bottom row (row page * 8 + 7); a set bit is a dark pixel.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qel::sim {

inline constexpr int kDisplayColumns = 132;
inline constexpr int kDisplayRows = 32;
inline constexpr int kDisplayMemorySize = 1024;

using DisplayMemory = std::array<std::uint8_t, kDisplayMemorySize>;

class DisplayCanvas {
 public:
  void SetPixel(int x, int y);  // outside the display: ignored
  bool Pixel(int x, int y) const;
  // Draws text with its top-left corner at (x, y); each font pixel becomes a
  // scale x scale block; characters advance by 6 * scale columns.
  void DrawText(int x, int y, std::string_view text, int scale = 1);
  const DisplayMemory& memory() const { return memory_; }

 private:
  DisplayMemory memory_{};
};

// What the display shows, line by line.
struct DisplayContent {
  std::string reading;    // large digits, rows 0..13, e.g. "+25.30" or " OVLD "
  std::string unit;       // right-aligned beside the reading, rows 8..14, e.g. "mT"
  std::string secondary;  // rows 16..22, e.g. the AC value or the peak values
  std::string status;     // rows 24..30, mode, range and flags
};

DisplayMemory RenderDisplay(const DisplayContent& content);

// The chunked read-out. Each INTE:HC? reply is a 6-character header, "#4" and the byte
// count in four digits (an IEEE 488.2 definite-length block header), followed by that
// many raw bytes from the current offset; the offset then moves on by the count.
//
//   @0  length 6  "#40048"
//   @6  length n  display memory bytes offset .. offset + n - 1
//
// The memory is copied when the offset is set (and when a read starts at offset 0), so
// one capture sees one picture even while the reading moves.
class HardcopyReadout {
 public:
  static constexpr int kMaxChunk = 58;  // header and chunk fit into 64 reply bytes

  bool SetChunkLength(long length);                          // false (unchanged) outside 1..58
  bool SetOffset(long offset, const DisplayMemory& memory);  // false outside 0..1024
  // True when the next chunk needs a fresh picture (a read starting at offset 0).
  bool NeedsPicture() const { return offset_ == 0 || !haveSnapshot_; }
  void TakePicture(const DisplayMemory& memory);
  // One reply from the picture taken last.
  std::string NextChunk();

  int chunkLength() const { return chunk_; }
  int offset() const { return offset_; }

 private:
  int chunk_ = 48;
  int offset_ = 0;
  bool haveSnapshot_ = false;
  DisplayMemory snapshot_{};
};

}  // namespace qel::sim
