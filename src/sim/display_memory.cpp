// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/display_memory.h"

#include <algorithm>
#include <cstdio>

#include "sim/display_font.h"

namespace qel::sim {

void DisplayCanvas::SetPixel(int x, int y) {
  if (x < 0 || x >= kDisplayColumns || y < 0 || y >= kDisplayRows) return;
  memory_[(y / 8) * kDisplayColumns + x] |= static_cast<std::uint8_t>(1u << (y % 8));
}

bool DisplayCanvas::Pixel(int x, int y) const {
  if (x < 0 || x >= kDisplayColumns || y < 0 || y >= kDisplayRows) return false;
  return (memory_[(y / 8) * kDisplayColumns + x] >> (y % 8)) & 1u;
}

void DisplayCanvas::DrawText(int x, int y, std::string_view text, int scale) {
  for (char c : text) {
    const auto columns = GlyphColumns(c);
    for (int col = 0; col < kGlyphWidth; ++col) {
      for (int row = 0; row < kGlyphHeight; ++row) {
        if (!((columns[col] >> row) & 1u)) continue;
        for (int dx = 0; dx < scale; ++dx) {
          for (int dy = 0; dy < scale; ++dy) SetPixel(x + col * scale + dx, y + row * scale + dy);
        }
      }
    }
    x += (kGlyphWidth + 1) * scale;
  }
}

DisplayMemory RenderDisplay(const DisplayContent& content) {
  DisplayCanvas canvas;
  canvas.DrawText(0, 0, content.reading, 2);
  const int unitWidth = static_cast<int>(content.unit.size()) * (kGlyphWidth + 1) - 1;
  canvas.DrawText(kDisplayColumns - unitWidth, 8, content.unit);
  canvas.DrawText(0, 16, content.secondary);
  canvas.DrawText(0, 24, content.status);
  return canvas.memory();
}

bool HardcopyReadout::SetChunkLength(long length) {
  if (length < 1 || length > kMaxChunk) return false;
  chunk_ = static_cast<int>(length);
  return true;
}

bool HardcopyReadout::SetOffset(long offset, const DisplayMemory& memory) {
  if (offset < 0 || offset > kDisplayMemorySize) return false;
  offset_ = static_cast<int>(offset);
  snapshot_ = memory;
  haveSnapshot_ = true;
  return true;
}

void HardcopyReadout::TakePicture(const DisplayMemory& memory) {
  snapshot_ = memory;
  haveSnapshot_ = true;
}

std::string HardcopyReadout::NextChunk() {
  const int count = std::min(chunk_, kDisplayMemorySize - offset_);
  char header[8];
  std::snprintf(header, sizeof header, "#4%04d", count);
  std::string reply(header, 6);
  reply.append(reinterpret_cast<const char*>(snapshot_.data()) + offset_, count);
  offset_ += count;
  return reply;
}

}  // namespace qel::sim
