// SPDX-License-Identifier: GPL-3.0-or-later
// The hardcopy window: the capture's lines, the picture at scale 2, the framed image on
// the clipboard, "Dauer" without overlapping captures, "Save" with its name proposals and
// JPEG files, and a capture without any reply that leaves everything as it was.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "../../core/platform/temp_dir.h"
#include "../diag/window_context.h"
#include "gui/service/HardCopyUnit.h"
#include "ui_HardCopyUnit.h"

namespace qel::testing {
namespace {

using Memory = std::array<std::uint8_t, 1024>;

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kDisplay(255, 160, 66);

// The 22 "INTE:HC?" replies of one capture of `memory`: 21 chunks of 48 and one of 16,
// each after the report ID and a 6-character header.
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

std::vector<std::string> CaptureLines(int captures = 1) {
  std::vector<std::string> lines;
  for (int c = 0; c < captures; ++c) {
    lines.insert(lines.end(), {"INTE:HCLN 48", "INTE:HCOF 0"});
    lines.insert(lines.end(), 21, "INTE:HC?");
    lines.insert(lines.end(), {"INTE:HCLN 16", "INTE:HC?"});
  }
  return lines;
}

// Display pixel (0, 0) and (0, 15) dark, nothing else.
Memory TwoDarkPixels() {
  Memory memory{};
  memory[0] = 0x01;    // page 0, column 0, bit 0
  memory[132] = 0x80;  // page 1, column 0, bit 7
  return memory;
}

QImage Picture(gui::THardCopyForm& form) {
  return form.Form().Image3->pixmap().toImage().convertToFormat(QImage::Format_RGB888);
}

QImage Clipboard() {
  return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888);
}

// The dark pixels of an image, as (x, y).
std::vector<std::pair<int, int>> Dark(const QImage& image) {
  std::vector<std::pair<int, int>> dark;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == kBlack) dark.emplace_back(x, y);
    }
  }
  return dark;
}

struct Window {
  Window() {
    form.ReportError = [this](const QString& m) { errors << m; };
    form.SaveDialog1 = [this](const QString& proposal) -> std::optional<QString> {
      proposals << proposal;
      if (choices.empty()) return std::nullopt;
      const QString chosen = choices.front();
      choices.pop_front();
      if (chosen.isEmpty()) return std::nullopt;  // cancelled
      return chosen;
    };
  }
  void Answer(const Memory& memory, int captures = 1) {
    std::deque<std::vector<std::uint8_t>> reports;
    for (int c = 0; c < captures; ++c) {
      for (auto& r : ChunkReports(memory)) reports.push_back(r);
    }
    run.qel.ReplyReports("INTE:HC?", reports);
  }
  ScriptedContext run;
  gui::THardCopyForm form{run.session};
  QStringList errors;
  QStringList proposals;
  std::deque<QString> choices;
};

TEST(HardCopyForm, CaptureDrawsThePictureAndPutsTheFramedImageOnTheClipboard) {
  Window w;
  w.Answer(TwoDarkPixels());
  w.form.Form().GetHardcopy->click();
  EXPECT_EQ(w.run.qel.sent, CaptureLines());

  const QImage picture = Picture(w.form);
  ASSERT_EQ(picture.size(), QSize(264, 64));
  const std::vector<std::pair<int, int>> pictureDark = {{0, 0},  {1, 0},  {0, 1},  {1, 1},
                                                        {0, 30}, {1, 30}, {0, 31}, {1, 31}};
  EXPECT_EQ(Dark(picture), pictureDark);
  EXPECT_EQ(picture.pixelColor(2, 0), kDisplay);
  EXPECT_EQ(picture.pixelColor(263, 63), kDisplay);

  const QImage composed = Clipboard();
  ASSERT_EQ(composed.size(), QSize(284, 84));
  EXPECT_EQ(composed, w.form.Image1().convertToFormat(QImage::Format_RGB888));
  // white border 5 wide, black 1-pixel frame, a 4-pixel band of display colour, the
  // picture at (10, 10)
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {4, 4}, {283, 83}, {279, 79}})
    EXPECT_EQ(composed.pixelColor(x, y), kWhite) << x << "," << y;
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {5, 5}, {278, 5}, {5, 78}, {278, 78}, {140, 5}, {140, 78}, {5, 40}})
    EXPECT_EQ(composed.pixelColor(x, y), kBlack) << x << "," << y;
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{6, 6}, {9, 9}, {274, 74}, {277, 77}})
    EXPECT_EQ(composed.pixelColor(x, y), kDisplay) << x << "," << y;
  EXPECT_EQ(composed.copy(10, 10, 264, 64), picture);
}

TEST(HardCopyForm, PictureShowsTheDisplayColourBeforeTheFirstCapture) {
  Window w;
  const QImage picture = Picture(w.form);
  ASSERT_EQ(picture.size(), QSize(264, 64));
  EXPECT_TRUE(Dark(picture).empty());
  EXPECT_EQ(picture.pixelColor(100, 30), kDisplay);
  EXPECT_EQ(w.form.Form().Panel1->palette().color(QPalette::Window), kDisplay);
  EXPECT_EQ(w.form.Form().Panel1->lineWidth(), 2);
}

TEST(HardCopyForm, CaptureWithoutAnyReplyLeavesPictureAndClipboard) {
  Window w;
  w.Answer(TwoDarkPixels());
  w.form.GetHardcopyClick();
  const QImage before = Picture(w.form);
  QGuiApplication::clipboard()->setText("the user's own text");
  w.run.qel.SilenceAll();
  w.form.GetHardcopyClick();
  EXPECT_EQ(w.run.qel.sent.size(), 50u);  // the capture was tried in full
  EXPECT_EQ(Picture(w.form), before);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's own text");
}

TEST(HardCopyForm, DauerRepeatsCapturesThatNeverOverlap) {
  Window w;
  w.Answer(Memory{}, 3);
  QTimer& timer2 = w.form.Timer2();
  EXPECT_FALSE(timer2.isActive());
  EXPECT_EQ(timer2.interval(), 20);
  // the pause runs only between captures: Timer2 is off during every line
  std::vector<bool> timerDuringLine;
  auto& device = *w.run.qel.device;
  auto answer = device.onWrite;
  device.onWrite = [&](testing::FakeDevice& d, const std::vector<std::uint8_t>& report) {
    timerDuringLine.push_back(timer2.isActive());
    answer(d, report);
  };

  w.form.Form().HCcont->setChecked(true);
  EXPECT_TRUE(timer2.isActive());
  QElapsedTimer waited;
  waited.start();
  while (w.run.qel.sent.size() < 75 && waited.elapsed() < 10000) QTest::qWait(5);
  w.form.Form().HCcont->setChecked(false);
  EXPECT_FALSE(timer2.isActive());
  const std::size_t sent = w.run.qel.sent.size();
  ASSERT_GE(sent, 75u);
  EXPECT_EQ(sent % 25, 0u);
  EXPECT_EQ(w.run.qel.sent, CaptureLines(static_cast<int>(sent / 25)));
  EXPECT_EQ(std::count(timerDuringLine.begin(), timerDuringLine.end(), true), 0);
  QTest::qWait(60);
  EXPECT_EQ(w.run.qel.sent.size(), sent);  // no capture after "Dauer" was cleared
}

TEST(HardCopyForm, Timer2TickRearmsOnlyWhileDauerIsTicked) {
  Window w;
  w.form.Form().HCcont->setChecked(true);
  w.form.Timer2Timer();
  EXPECT_TRUE(w.form.Timer2().isActive());
  w.form.Form().HCcont->setChecked(false);
  w.form.Timer2Timer();
  EXPECT_FALSE(w.form.Timer2().isActive());
  EXPECT_EQ(w.run.qel.sent, CaptureLines(2));
}

TEST(HardCopyForm, SaveWritesTheComposedImageAsJpegAndProposesNumberedNames) {
  TempDir dir;
  Window w;
  w.Answer(TwoDarkPixels());
  w.form.GetHardcopyClick();
  const QString folder = QString::fromStdString(dir.Path().string());
  w.choices = {folder + "/a.b.jpg", "", folder + "/a_2.jpg", folder + "/other.jpg"};
  for (int i = 0; i < 4; ++i) w.form.Form().Button1->click();
  EXPECT_TRUE(w.errors.isEmpty()) << w.errors.join('\n').toStdString();

  ASSERT_EQ(w.proposals.size(), 4);
  EXPECT_EQ(w.proposals[0], "");  // nothing remembered, the dialog held nothing
  EXPECT_EQ(w.proposals[1], folder + "/a_1.jpg");
  EXPECT_EQ(w.proposals[2], folder + "/a_2.jpg");  // the cancel still counted
  EXPECT_EQ(w.proposals[3], folder + "/a_3.jpg");
  w.choices = {""};
  w.form.Button1Click();
  EXPECT_EQ(w.proposals[4], folder + "/other_1.jpg");  // a typed name starts a new series

  EXPECT_TRUE(QFileInfo::exists(folder + "/a.b.jpg"));
  EXPECT_FALSE(QFileInfo::exists(folder + "/a_1.jpg"));
  EXPECT_TRUE(QFileInfo::exists(folder + "/a_2.jpg"));
  QImage saved(folder + "/a_2.jpg");
  ASSERT_EQ(saved.size(), QSize(284, 84));
  // JPEG is lossy: colours near the drawn ones
  const auto near = [](const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
  };
  EXPECT_TRUE(near(saved.pixelColor(2, 2), kWhite));
  EXPECT_TRUE(near(saved.pixelColor(140, 40), kDisplay));
  EXPECT_TRUE(near(saved.pixelColor(10, 10), kBlack));
  EXPECT_LT(saved.pixelColor(10, 40).lightness(), 110);  // display pixel (0, 15)
}

TEST(HardCopyForm, SaveBeforeTheFirstCaptureReportsAndWritesNothing) {
  TempDir dir;
  Window w;
  const QString path = QString::fromStdString(dir.File("shot.jpg"));
  w.choices = {path};
  w.form.Button1Click();
  EXPECT_EQ(w.errors, QStringList({"Kein Bild zum Speichern vorhanden"}));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(w.form.Model().SaveNames().RememberedName(), "");
}

TEST(HardCopyForm, UnwritableFileIsReportedAndNotRemembered) {
  TempDir dir;
  Window w;
  w.Answer(TwoDarkPixels());
  w.form.GetHardcopyClick();
  const QString path = QString::fromStdString(dir.File("missing/shot.jpg"));
  w.choices = {path};
  w.form.Button1Click();
  EXPECT_EQ(w.errors, QStringList({"In " + path + " kann nicht geschrieben werden"}));
  EXPECT_EQ(w.form.Model().SaveNames().RememberedName(), "");
}

TEST(HardCopyForm, StaysOnTopAndOnlyHidesOnClose) {
  Window w;
  EXPECT_EQ(w.form.windowTitle(), "Hardcopy  -> Clipart");
  EXPECT_TRUE(w.form.windowFlags() & Qt::WindowStaysOnTopHint);
  w.form.show();
  w.form.Form().HCcont->setChecked(true);
  w.form.close();
  EXPECT_FALSE(w.form.isVisible());
  EXPECT_TRUE(w.form.Timer2().isActive());  // "Dauer" goes on while hidden
  w.form.Form().HCcont->setChecked(false);
}

TEST(HardCopyForm, CapturesTheVirtualInstrumentsDisplay) {
  SimContext run;
  gui::THardCopyForm form(run.session);
  form.GetHardcopyClick();
  EXPECT_EQ(run.sim.ReceivedLines(), CaptureLines());
  EXPECT_FALSE(Dark(Picture(form)).empty());  // the reading in the display's font
  EXPECT_EQ(Clipboard().size(), QSize(284, 84));
}

}  // namespace
}  // namespace qel::testing
