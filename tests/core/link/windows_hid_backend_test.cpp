// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows HID connection's file I/O, driven over a message pipe (one message per
// report, as HID file I/O hands out one report per read): whole reports out, reports in,
// a read bounded by its time limit that leaves a later report for the next read, and the
// reasons given when a device cannot be opened. Built for Windows only; runs under Wine.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "core/link/windows_hid_backend.h"
#include "core/platform/native_path.h"
#include "core/text/win1252.h"

namespace qel {
namespace {

// The device end of the pipe; the connection gets the other end.
class PipeDevice {
 public:
  PipeDevice() {
    static int counter = 0;
    const std::wstring name = L"\\\\.\\pipe\\qel-hid-test-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
    device_ = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX,
                               PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 4096, 4096,
                               0, nullptr);
    HANDLE tool = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(tool, &mode, nullptr, nullptr);
    connection = MakeWindowsHidConnection(tool, 65, 65);
  }
  ~PipeDevice() { CloseDevice(); }

  // One input report from the device.
  void Send(const std::vector<std::uint8_t>& report) {
    DWORD written = 0;
    WriteFile(device_, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
  }
  // One output report as the device received it.
  std::vector<std::uint8_t> Receive() {
    std::vector<std::uint8_t> report(4096);
    DWORD got = 0;
    if (!ReadFile(device_, report.data(), static_cast<DWORD>(report.size()), &got, nullptr))
      got = 0;
    report.resize(got);
    return report;
  }
  void CloseDevice() {
    if (device_ != INVALID_HANDLE_VALUE) CloseHandle(device_);
    device_ = INVALID_HANDLE_VALUE;
  }

  std::unique_ptr<HidConnection> connection;

 private:
  HANDLE device_ = INVALID_HANDLE_VALUE;
};

std::vector<std::uint8_t> Report(const std::string& text, std::size_t length = 65) {
  std::vector<std::uint8_t> report(length, 0);
  std::copy(text.begin(), text.end(), report.begin() + 1);
  return report;
}

TEST(WindowsHidConnection, WritesWholeOutputReports) {
  PipeDevice pipe;
  const std::vector<std::uint8_t> full = Report("*IDN?\n");
  ASSERT_TRUE(pipe.connection->Write(full.data(), full.size()));
  EXPECT_EQ(pipe.Receive(), full);
  // HID file I/O takes exactly the output report length: a short one is filled with
  // zeros, a long one cut.
  const std::vector<std::uint8_t> shorter = Report("MODE?\n", 10);
  ASSERT_TRUE(pipe.connection->Write(shorter.data(), shorter.size()));
  EXPECT_EQ(pipe.Receive(), Report("MODE?\n"));
  const std::vector<std::uint8_t> longer = Report("x", 66);
  ASSERT_TRUE(pipe.connection->Write(longer.data(), longer.size()));
  EXPECT_EQ(pipe.Receive(), Report("x"));
}

TEST(WindowsHidConnection, ReadsReportsAndLeavesALateOneForTheNextRead) {
  PipeDevice pipe;
  std::array<std::uint8_t, 66> buffer{};
  std::size_t delivered = 99;
  EXPECT_EQ(pipe.connection->Read(buffer.data(), buffer.size(), 50, delivered),
            ReadStatus::Timeout);
  EXPECT_EQ(delivered, 0u);
  EXPECT_EQ(pipe.connection->Read(buffer.data(), buffer.size(), 0, delivered), ReadStatus::Timeout);

  // The report that comes after the time limit is not lost in the cancelled read: the
  // next read gets it, whole.
  pipe.Send(Report("late"));
  ASSERT_EQ(pipe.connection->Read(buffer.data(), buffer.size(), 1000, delivered),
            ReadStatus::Report);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + delivered), Report("late"));

  // A queued report is found without waiting; a short one keeps its length.
  pipe.Send(Report("short", 6));
  ASSERT_EQ(pipe.connection->Read(buffer.data(), buffer.size(), 0, delivered), ReadStatus::Report);
  EXPECT_EQ(delivered, 6u);
  EXPECT_EQ(std::string(buffer.begin() + 1, buffer.begin() + 6), "short");

  // A buffer smaller than the report gets its first bytes.
  pipe.Send(Report("abcdef"));
  ASSERT_EQ(pipe.connection->Read(buffer.data(), 3, -1, delivered), ReadStatus::Report);
  EXPECT_EQ(delivered, 3u);
  EXPECT_EQ(std::string(buffer.begin() + 1, buffer.begin() + 3), "ab");

  pipe.CloseDevice();  // the device is gone
  EXPECT_EQ(pipe.connection->Read(buffer.data(), buffer.size(), 1000, delivered),
            ReadStatus::Failed);
  const std::vector<std::uint8_t> line = Report("MODE?\n");
  EXPECT_FALSE(pipe.connection->Write(line.data(), line.size()));
}

TEST(WindowsHidBackend, OpenThatFailsSaysWhyForTheLinkLog) {
  wchar_t folder[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring heldPath =
      std::wstring(folder) + L"qel-held-" + std::to_wstring(GetCurrentProcessId());
  // Another program's handle that shares nothing.
  HANDLE held = CreateFileW(heldPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::string missing = "\\\\?\\hid#vid_04d8&pid_fe78#no-such-device";
  const std::string taken = WideToUtf8(heldPath);
  struct Row {
    std::string path;
    unsigned long code;
    std::string hint;
  };
  const std::vector<Row> rows = {
      {missing, ERROR_FILE_NOT_FOUND, ""},
      {taken, ERROR_SHARING_VIOLATION,
       " (another program holds the instrument: close it, the next scan opens it)"}};
  WindowsHidBackend windows;
  HidBackend& backend = windows;  // as the device controller asks
  for (const Row& row : rows) {
    HidDeviceInfo info;
    info.path = row.path;
    info.inputReportByteLength = info.outputReportByteLength = 65;
    EXPECT_EQ(backend.Open(info), nullptr) << row.path;
    EXPECT_EQ(backend.LastOpenError(),
              row.path + ": " + Utf8ToWin1252(WindowsErrorText(row.code)) + row.hint);
    EXPECT_EQ(backend.LastOpenError().find_first_of("\r\n"), std::string::npos);
  }
  CloseHandle(held);
  // Listing never fails, whatever HID devices there are (under Wine: usually none).
  for (const HidDeviceInfo& device : backend.Enumerate()) EXPECT_FALSE(device.path.empty());
}

}  // namespace
}  // namespace qel
