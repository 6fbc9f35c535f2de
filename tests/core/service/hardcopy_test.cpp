// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/hardcopy.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "../diag/scripted_instrument.h"
#include "../platform/temp_dir.h"
#include "core/service/jpeg_writer.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using testing::TempDir;

using Memory = std::array<std::uint8_t, 1024>;

// The 22 "INTE:HC?" replies of one capture of `memory`: 21 chunks of 48, one of 16, each
// after the report ID and a 6-character header.
std::deque<std::vector<std::uint8_t>> ChunkReports(const Memory& memory) {
  std::deque<std::vector<std::uint8_t>> reports;
  for (int offset = 0; offset < 1024;) {
    const int chunk = offset + 48 > 1023 ? 1024 - offset : 48;
    std::vector<std::uint8_t> report(65, 0);
    const std::string header = chunk == 48 ? "#40048" : "#40016";
    std::copy(header.begin(), header.end(), report.begin() + 1);
    std::copy_n(memory.begin() + offset, chunk, report.begin() + 7);
    reports.push_back(report);
    offset += chunk;
  }
  return reports;
}

std::vector<std::string> CaptureLines() {
  std::vector<std::string> lines = {"INTE:HCLN 48", "INTE:HCOF 0"};
  for (int i = 0; i < 21; ++i) lines.push_back("INTE:HC?");
  lines.push_back("INTE:HCLN 16");
  lines.push_back("INTE:HC?");
  return lines;
}

// Dark display pixels of a picture drawn at scale 2, checked block by block.
std::vector<std::pair<int, int>> DarkPixels(const RgbImage& picture, int left = 0, int top = 0) {
  std::vector<std::pair<int, int>> dark;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 132; ++x) {
      const Rgb c = picture.At(left + 2 * x, top + 2 * y);
      EXPECT_EQ(picture.At(left + 2 * x + 1, top + 2 * y), c);
      EXPECT_EQ(picture.At(left + 2 * x, top + 2 * y + 1), c);
      EXPECT_EQ(picture.At(left + 2 * x + 1, top + 2 * y + 1), c);
      if (c == kBlack) {
        dark.emplace_back(x, y);
      } else {
        EXPECT_EQ(c, kHardcopyBackground) << x << "," << y;
      }
    }
  }
  return dark;
}

using Pixels = std::vector<std::pair<int, int>>;

TEST(Hardcopy, CaptureSendsTheTwentyFiveLines) {
  ScriptedInstrument qel;
  Memory memory{};
  for (int i = 0; i < 1024; ++i) memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
  qel.ReplyReports("INTE:HC?", ChunkReports(memory));
  Hardcopy hardcopy;
  EXPECT_EQ(hardcopy.GetHardcopy(qel.session), CaptureStatus::Complete);
  EXPECT_EQ(qel.sent, CaptureLines());
  EXPECT_EQ(hardcopy.Buffer(), memory);  // every byte from its chunk, 0..1023
  // the log shows each chunk's header only
  EXPECT_EQ(qel.protocol.Lines()[3], "00.00.000 REC : #40048");
}

TEST(Hardcopy, PixelLayout) {
  struct Row {
    int index;
    std::uint8_t byte;
    Pixels dark;
  };
  const std::vector<Row> rows = {
      {0, 0x01, {{0, 0}}},
      {132, 0x80, {{0, 15}}},    // page 1, bit 7
      {527, 0x01, {{131, 24}}},  // last shown byte: page 3, column 131
      {5, 0x81, {{5, 0}, {5, 7}}},
      {528, 0xFF, {}},  // not shown
      {1023, 0xFF, {}},
  };
  for (const Row& row : rows) {
    ScriptedInstrument qel;
    Memory memory{};
    memory[row.index] = row.byte;
    qel.ReplyReports("INTE:HC?", ChunkReports(memory));
    Hardcopy hardcopy;
    hardcopy.GetHardcopy(qel.session);
    ASSERT_EQ(hardcopy.Picture().Width(), 264);
    ASSERT_EQ(hardcopy.Picture().Height(), 64);
    EXPECT_EQ(DarkPixels(hardcopy.Picture()), row.dark) << row.index;
    EXPECT_EQ(DarkPixels(hardcopy.Composed(), 10, 10), row.dark) << row.index;
  }
}

// The frame around the picture, independent of what the display shows.
void ExpectFrame(const RgbImage& composed) {
  ASSERT_EQ(composed.Width(), 284);
  ASSERT_EQ(composed.Height(), 84);
  for (int y = 0; y < 84; ++y) {
    for (int x = 0; x < 284; ++x) {
      const bool border = x < 5 || y < 5 || x > 278 || y > 78;
      const bool frame = !border && (x == 5 || x == 278 || y == 5 || y == 78);
      const bool band = !border && !frame && (x < 10 || y < 10 || x >= 274 || y >= 74);
      if (border) {
        ASSERT_EQ(composed.At(x, y), kWhite) << x << "," << y;
      } else if (frame) {
        ASSERT_EQ(composed.At(x, y), kBlack) << x << "," << y;
      } else if (band) {
        ASSERT_EQ(composed.At(x, y), kHardcopyBackground) << x << "," << y;
      }
    }
  }
}

TEST(Hardcopy, ComposedImageFrame) {
  ScriptedInstrument qel;
  Memory memory{};
  memory.fill(0xFF);  // all dark, so the picture stands out against the band
  qel.ReplyReports("INTE:HC?", ChunkReports(memory));
  Hardcopy hardcopy;
  hardcopy.GetHardcopy(qel.session);
  ExpectFrame(hardcopy.Composed());
  EXPECT_EQ(hardcopy.Composed().At(10, 10), kBlack);
  EXPECT_EQ(hardcopy.Composed().At(273, 73), kBlack);
  EXPECT_EQ(hardcopy.Composed().At(274, 73), kHardcopyBackground);
}

TEST(Hardcopy, NoReplyLeavesEverythingAsItWas) {
  ScriptedInstrument qel;
  Memory memory{};
  memory[0] = 0x01;
  qel.ReplyReports("INTE:HC?", ChunkReports(memory));
  Hardcopy hardcopy;
  ASSERT_EQ(hardcopy.GetHardcopy(qel.session), CaptureStatus::Complete);
  const auto buffer = hardcopy.Buffer();
  const auto picture = hardcopy.Picture();
  const auto composed = hardcopy.Composed();
  qel.SilenceAll();
  EXPECT_EQ(hardcopy.GetHardcopy(qel.session), CaptureStatus::NoReply);
  EXPECT_EQ(hardcopy.Buffer(), buffer);
  EXPECT_EQ(hardcopy.Picture(), picture);
  EXPECT_EQ(hardcopy.Composed(), composed);
}

TEST(Hardcopy, NoInstrumentBeforeAnyCaptureLeavesNoImage) {
  ScriptedInstrument qel(/*attached=*/false);
  Hardcopy hardcopy;
  EXPECT_EQ(hardcopy.GetHardcopy(qel.session), CaptureStatus::NoReply);
  EXPECT_TRUE(hardcopy.Composed().Empty());
  EXPECT_EQ(DarkPixels(hardcopy.Picture()), Pixels{});
  EXPECT_EQ(qel.session.UnansweredLines(), 25u);  // all 25 lines were tried
}

TEST(Hardcopy, MissingChunksKeepTheirOldBytes) {
  ScriptedInstrument qel;
  Memory first{};
  first.fill(0x11);
  qel.ReplyReports("INTE:HC?", ChunkReports(first));
  Hardcopy hardcopy;
  hardcopy.GetHardcopy(qel.session);

  Memory second{};
  second.fill(0x22);
  auto reports = ChunkReports(second);
  reports[1] = std::vector<std::uint8_t>{0};  // a report with no text: no chunk
  qel.ReplyReports("INTE:HC?", reports);
  EXPECT_EQ(hardcopy.GetHardcopy(qel.session), CaptureStatus::Incomplete);
  EXPECT_EQ(hardcopy.Buffer()[47], 0x22);
  EXPECT_EQ(hardcopy.Buffer()[48], 0x11);  // not the bytes of chunk 0 again
  EXPECT_EQ(hardcopy.Buffer()[95], 0x11);
  EXPECT_EQ(hardcopy.Buffer()[96], 0x22);
}

TEST(Hardcopy, UnansweredSettingLineMakesTheCaptureIncomplete) {
  ScriptedInstrument qel;
  qel.ReplyReports("INTE:HC?", ChunkReports(Memory{}));
  qel.Silence("INTE:HCLN 16");
  Hardcopy hardcopy;
  EXPECT_EQ(hardcopy.GetHardcopy(qel.session), CaptureStatus::Incomplete);
  EXPECT_EQ(qel.sent, CaptureLines());
}

// Decodes a JPEG with libjpeg; fills width, height, components and the first quantisation
// table's first value, and returns the RGB pixels.
struct Decoded {
  int width = 0, height = 0, components = 0, quant0 = 0;
  bool progressive = true;
  std::vector<std::uint8_t> pixels;
};

Decoded DecodeJpeg(const std::string& bytes) {
  Decoded out;
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  out.progressive = cinfo.progressive_mode;
  out.quant0 = cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : -1;
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out.width = static_cast<int>(cinfo.output_width);
  out.height = static_cast<int>(cinfo.output_height);
  out.components = cinfo.num_components;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.pixels.data() + cinfo.output_scanline * out.width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

// Mean absolute difference per channel between the image and the decoded pixels.
double MeanError(const RgbImage& image, const Decoded& decoded) {
  double sum = 0;
  for (std::size_t i = 0; i < image.Bytes().size(); ++i) {
    sum += std::abs(int(image.Bytes()[i]) - int(decoded.pixels[i]));
  }
  return sum / static_cast<double>(image.Bytes().size());
}

TEST(Hardcopy, SavedJpegDecodesToTheComposedImage) {
  ScriptedInstrument qel;
  Memory memory{};
  for (int c = 20; c < 60; ++c) memory[132 + c] = 0xFF;  // a dark bar in page 1
  qel.ReplyReports("INTE:HC?", ChunkReports(memory));
  Hardcopy hardcopy;
  hardcopy.GetHardcopy(qel.session);
  TempDir dir;
  const std::string path = dir.File("shot.jpg");
  testing::WriteBytes(path, "old");  // overwritten without a question
  hardcopy.SaveAs(path);
  const std::string bytes = testing::ReadBytes(path);
  EXPECT_EQ(bytes, EncodeJpeg(hardcopy.Composed()));
  const Decoded decoded = DecodeJpeg(bytes);
  ASSERT_EQ(decoded.width, 284);
  ASSERT_EQ(decoded.height, 84);
  EXPECT_EQ(decoded.components, 3);
  EXPECT_FALSE(decoded.progressive);
  EXPECT_EQ(decoded.quant0, 3);  // quality 90: 16 * 20 / 100, rounded
  EXPECT_LT(MeanError(hardcopy.Composed(), decoded), 4.0);
  // inside the bar (away from its edges) the decoded pixel is dark; the band is orange
  const auto at = [&decoded](int x, int y, int c) { return decoded.pixels[(y * 284 + x) * 3 + c]; };
  EXPECT_LT(at(10 + 2 * 40, 10 + 2 * 12, 0), 60);
  EXPECT_GT(at(7, 40, 0), 200);
  EXPECT_NEAR(at(7, 40, 1), 160, 30);
  EXPECT_LT(at(7, 40, 2), 110);
  EXPECT_GT(at(2, 2, 2), 230);  // white border
  // only regular files with the final name are left in the folder
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    ++files;
    EXPECT_EQ(entry.path().filename(), "shot.jpg");
  }
  EXPECT_EQ(files, 1);
}

TEST(Hardcopy, SaveBeforeTheFirstCaptureWritesNoFile) {
  Hardcopy hardcopy;
  TempDir dir;
  EXPECT_THROW(hardcopy.SaveAs(dir.File("shot.jpg")), JpegError);
  EXPECT_FALSE(std::filesystem::exists(dir.File("shot.jpg")));
  EXPECT_EQ(hardcopy.SaveNames().RememberedName(), "");
}

TEST(Hardcopy, FailedWriteRemembersNothing) {
  ScriptedInstrument qel;
  qel.ReplyReports("INTE:HC?", ChunkReports(Memory{}));
  Hardcopy hardcopy;
  hardcopy.GetHardcopy(qel.session);
  TempDir dir;
  const std::string path = dir.File("missing/shot.jpg");
  try {
    hardcopy.SaveAs(path);
    ADD_FAILURE() << "no error";
  } catch (const JpegError& e) {
    EXPECT_EQ(std::string(e.what()), "In " + path + " kann nicht geschrieben werden");
  }
  EXPECT_EQ(hardcopy.SaveNames().RememberedName(), "");
}

TEST(HardcopySaveNames, Proposals) {
  HardcopySaveNames names;
  // nothing remembered: the dialog keeps its own name (empty at first)
  EXPECT_EQ(names.ProposeFileName(""), "");
  names.SaveDone("/home/u/pics/shot.jpg");
  EXPECT_EQ(names.RememberedName(), "shot.jpg");
  EXPECT_EQ(names.ProposeFileName("/home/u/pics/shot.jpg"), "shot_1.jpg");
  names.SaveDone("/home/u/pics/shot_1.jpg");  // accepted
  EXPECT_EQ(names.ProposeFileName("shot_1.jpg"), "shot_2.jpg");
  names.SaveDone("C:\\pics\\shot_2.jpg");  // accepted, Windows path
  EXPECT_EQ(names.ProposeFileName("shot_2.jpg"), "shot_3.jpg");
  // a different name starts a new series
  names.SaveDone("/tmp/other.jpg");
  EXPECT_EQ(names.Counter(), 0);
  EXPECT_EQ(names.ProposeFileName("shot_3.jpg"), "other_1.jpg");
}

TEST(HardcopySaveNames, CutAtFirstDotAndCancelKeepsCounting) {
  HardcopySaveNames names;
  names.ProposeFileName("");
  names.SaveDone("/x/a.b.jpg");
  EXPECT_EQ(names.ProposeFileName("a.b.jpg"), "a_1.jpg");
  // the dialog was cancelled: no SaveDone; the next proposal still counts on
  EXPECT_EQ(names.ProposeFileName("a_1.jpg"), "a_2.jpg");
  EXPECT_EQ(names.RememberedName(), "a");
  names.SaveDone("/x/noext");
  EXPECT_EQ(names.ProposeFileName("noext"), "noext_1.jpg");
}

}  // namespace
}  // namespace qel
