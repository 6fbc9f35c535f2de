// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hidapi_backend.h"

#include <gtest/gtest.h>
#include <hidapi/hidapi.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qel {
namespace {

namespace fs = std::filesystem;

// The instrument's descriptor: 64 bytes in, 64 bytes out, no report IDs.
const std::vector<std::uint8_t> kInstrumentDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};
// Two reports with IDs: ID 1 has 8 input bytes, ID 2 has 32 input and 4 output bytes.
const std::vector<std::uint8_t> kTwoIdDescriptor = {0x75, 0x08, 0x85, 0x01, 0x95, 0x08,
                                                    0x81, 0x02, 0x85, 0x02, 0x95, 0x20,
                                                    0x81, 0x02, 0x95, 0x04, 0x91, 0x02};

// A sysfs tree of its own in a temporary folder, removed again at the end.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "qel-sysfs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  void AddHidraw(const std::string& name, const std::vector<std::uint8_t>& descriptor) {
    const fs::path dir = fs::path(root_) / "class/hidraw" / name / "device";
    fs::create_directories(dir);
    std::ofstream out(dir / "report_descriptor", std::ios::binary);
    out.write(reinterpret_cast<const char*>(descriptor.data()),
              static_cast<std::streamsize>(descriptor.size()));
  }

  std::string root_;
};

TEST(WideToWindows1252, Conversions) {
  struct Row {
    const wchar_t* wide;
    std::string want;
  };
  const std::vector<Row> rows = {
      {L"KORVAL QEL11", "KORVAL QEL11"},
      {L"Gr\u00F6\u00DFe \u00B5T",
       "Gr\xF6\xDF"
       "e \xB5T"},                                                        // Latin-1 as is
      {L"\u20AC \u201E\u201C \u2122 \u0178", "\x80 \x84\x93 \x99 \x9F"},  // Windows-1252 letters
      {L"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},        // undefined, round trip
      {L"\u0080\u0085\u009F", "???"},  // C1 controls that Windows-1252 shows as letters
      {L"\u03A9 \u4E2D \U0001F600", "? ? ?"},
      {L"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(WideToWindows1252(row.wide), row.want);
  EXPECT_EQ(WideToWindows1252(nullptr), "");
}

TEST(WideToWindows1252, CutsAt254Characters) {
  const std::wstring longText(300, L'\u20AC');
  EXPECT_EQ(WideToWindows1252(longText.c_str()), std::string(254, '\x80'));
  const std::wstring exact(254, L'a');
  EXPECT_EQ(WideToWindows1252(exact.c_str()).size(), 254u);
}

TEST(ReportDescriptorPath, MapsHidrawNodesOnly) {
  struct Row {
    const char* path;
    std::string want;
  };
  const std::vector<Row> rows = {
      {"/dev/hidraw3", "/sys/class/hidraw/hidraw3/device/report_descriptor"},
      {"/dev/hidraw12", "/sys/class/hidraw/hidraw12/device/report_descriptor"},
      {"hidraw0", "/sys/class/hidraw/hidraw0/device/report_descriptor"},
      {"/dev/hidraw", ""},
      {"/dev/hidraw1x", ""},
      {"/dev/hidraw/../x", ""},
      {"/dev/usb/hiddev0", ""},
      {"tcp:localhost:5025", ""},
      {"", ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ReportDescriptorPath(row.path, "/sys"), row.want) << row.path;
}

TEST_F(FakeSysfs, ReadsLengthsFromTheDescriptorFile) {
  AddHidraw("hidraw0", kInstrumentDescriptor);
  AddHidraw("hidraw5", kTwoIdDescriptor);
  EXPECT_EQ(ReadReportLengths("/dev/hidraw0", root_), (ReportLengths{65, 65, 0, false}));
  EXPECT_EQ(ReadReportLengths("/dev/hidraw5", root_), (ReportLengths{33, 5, 0, true}));
  EXPECT_EQ(ReadReportLengths("/dev/hidraw1", root_), ReportLengths{});  // no such node
  EXPECT_EQ(ReadReportLengths("/dev/input0", root_), ReportLengths{});   // not hidraw
}

TEST_F(FakeSysfs, DescribesAnEnumerationSortedAndOncePerPath) {
  AddHidraw("hidraw2", kInstrumentDescriptor);
  AddHidraw("hidraw1", kTwoIdDescriptor);
  // hidapi's list, newest first as it may come; hidraw2 twice (two top-level
  // collections), and an entry without a path.
  std::string p1 = "/dev/hidraw1", p2 = "/dev/hidraw2", p9 = "/dev/hidraw9";
  std::wstring mfr = L"KORVAL", product = L"QEL11 \u00B5", serial = L"A\u20AC1";
  hid_device_info noPath{}, second{}, instrument{}, duplicate{}, other{};
  instrument.path = p2.data();
  instrument.vendor_id = 0x04D8;
  instrument.product_id = 0xFE78;
  instrument.manufacturer_string = mfr.data();
  instrument.product_string = product.data();
  instrument.serial_number = serial.data();
  duplicate = instrument;
  duplicate.vendor_id = 0x1111;
  other.path = p1.data();
  other.vendor_id = 0x046D;
  other.product_id = 0xC52B;
  second.path = p9.data();  // no descriptor in sysfs: lengths 0
  second.vendor_id = 0x04D8;
  second.product_id = 0x003F;
  noPath.next = &instrument;
  instrument.next = &second;
  second.next = &duplicate;
  duplicate.next = &other;

  const std::vector<HidDeviceInfo> devices = DescribeDevices(&noPath, root_);
  ASSERT_EQ(devices.size(), 3u);
  HidDeviceInfo want1;
  want1.path = "/dev/hidraw1";
  want1.vendorId = 0x046D;
  want1.productId = 0xC52B;
  want1.inputReportByteLength = 33;
  want1.outputReportByteLength = 5;
  HidDeviceInfo want2;
  want2.path = "/dev/hidraw2";
  want2.vendorId = 0x04D8;
  want2.productId = 0xFE78;
  want2.manufacturer = "KORVAL";
  want2.product = "QEL11 \xB5";
  want2.serial =
      "A\x80"
      "1";
  want2.inputReportByteLength = 65;
  want2.outputReportByteLength = 65;
  HidDeviceInfo want9;
  want9.path = "/dev/hidraw9";
  want9.vendorId = 0x04D8;
  want9.productId = 0x003F;
  EXPECT_EQ(devices[0], want1);
  EXPECT_EQ(devices[1], want2);
  EXPECT_EQ(devices[2], want9);
  EXPECT_TRUE(DescribeDevices(nullptr, root_).empty());
}

// No HID device is attached where the tests run; whatever is, the list must be sane.
TEST(HidapiBackend, EnumeratesTheRealSystemSafely) {
  HidapiBackend backend;
  const std::vector<HidDeviceInfo> devices = backend.Enumerate();
  EXPECT_TRUE(std::is_sorted(devices.begin(), devices.end(),
                             [](const auto& a, const auto& b) { return a.path < b.path; }));
  EXPECT_EQ(std::adjacent_find(devices.begin(), devices.end(),
                               [](const auto& a, const auto& b) { return a.path == b.path; }),
            devices.end());
  for (const HidDeviceInfo& d : devices) EXPECT_FALSE(d.path.empty());
  EXPECT_EQ(backend.Enumerate(), devices);  // nothing plugged in meanwhile: same list
}

// The sysfs entry of a character device, as the kernel links it to its class.
void LinkCharDevice(const std::string& root, const std::string& number, const char* cls) {
  const fs::path dir = fs::path(root) / "dev/char" / number;
  fs::create_directories(dir);
  fs::create_directory_symlink(fs::path("../../../class") / cls, dir / "subsystem");
}

TEST_F(FakeSysfs, HidrawNodeIsACharacterDeviceOfTheHidrawClass) {
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  const std::string number =
      std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
  EXPECT_FALSE(IsHidrawNode("/dev/null", root_));  // no sysfs entry
  LinkCharDevice(root_, number, "mem");
  EXPECT_FALSE(IsHidrawNode("/dev/null", root_));
  fs::remove(fs::path(root_) / "dev/char" / number / "subsystem");
  LinkCharDevice(root_, number, "hidraw");
  EXPECT_TRUE(IsHidrawNode("/dev/null", root_));

  AddHidraw("hidraw0", kInstrumentDescriptor);
  EXPECT_FALSE(IsHidrawNode(root_ + "/class/hidraw/hidraw0/device/report_descriptor", root_));
  EXPECT_FALSE(IsHidrawNode(root_, root_));  // a folder
  EXPECT_FALSE(IsHidrawNode(root_ + "/missing", root_));
  EXPECT_FALSE(IsHidrawNode("", root_));
}

// Open never reaches the system for a path that is no hidraw node.
TEST_F(FakeSysfs, OpenRefusesWhatIsNotAHidrawNode) {
  HidapiBackend backend;
  HidDeviceInfo device;
  EXPECT_EQ(backend.Open(device), nullptr);  // empty path
  for (const std::string& path : {root_ + "/missing", root_, std::string("/dev/null")}) {
    device.path = path;
    EXPECT_EQ(backend.Open(device), nullptr) << path;
    EXPECT_EQ(backend.LastOpenError(), path + ": not a hidraw device node");
  }
}

}  // namespace
}  // namespace qel
