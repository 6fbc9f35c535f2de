// SPDX-License-Identifier: GPL-3.0-or-later
// IniFile against the Windows profile-file functions themselves (GetPrivateProfileStringA,
// WritePrivateProfileStringA), case by case, byte for byte: the table and its files are
// in tests/data/profile. Built for Windows only; it runs under Wine. A case marked with a
// reason is one where our result is meant to differ from the one Wine gives; the test
// checks that it still differs, so the list of differences stays true.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/platform/ini_file.h"
#include "temp_dir.h"

namespace qel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kProfileData = std::string(QEL_TEST_DATA_DIR) + "/profile/";

struct ProfileCase {
  std::string file;
  bool write = false;
  std::string section;
  std::string key;
  std::string value;    // the default of a read, the value of a write
  std::string differs;  // why ours is meant to differ; empty when it must agree
  int line = 0;
};

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 't') out += '\t';
    if (c == 'r') out += '\r';
    if (c == 'n') out += '\n';
    if (c == '\\') out += '\\';
    if (c == 'x' && i + 2 < text.size() + 1) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    }
  }
  return out;
}

// Bytes as the table writes them, for messages.
std::string Escape(const std::string& bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 32 || u > 126) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<ProfileCase> LoadCases() {
  std::ifstream in(kProfileData + "cases.tsv", std::ios::binary);
  std::vector<ProfileCase> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() == 4) fields.emplace_back();  // an empty last field
    if (fields.size() < 5) {
      ADD_FAILURE() << "cases.tsv:" << number << ": too few fields";
      continue;
    }
    cases.push_back({fields[0], fields[1] == "write", Unescape(fields[2]), Unescape(fields[3]),
                     Unescape(fields[4]), fields.size() > 5 ? fields[5] : "", number});
  }
  return cases;
}

std::string WindowsRead(const ProfileCase& c, const std::string& path) {
  std::vector<char> buffer(2048);
  const DWORD length =
      GetPrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.value.c_str(), buffer.data(),
                               static_cast<DWORD>(buffer.size()), path.c_str());
  return std::string(buffer.data(), length);
}

TEST(IniFileAgainstWindows, ReadsAndWritesAsTheProfileFunctions) {
  const std::vector<ProfileCase> cases = LoadCases();
  ASSERT_GE(cases.size(), 60u);
  TempDir dir;
  int fileNumber = 0;
  for (const ProfileCase& c : cases) {
    const std::string fixture = ReadBytes(kProfileData + c.file);
    // A fresh name per case: Wine keeps recently used profile files in a cache.
    const std::string ours = dir.File("ours" + std::to_string(++fileNumber) + ".ini");
    const std::string theirs = dir.File("theirs" + std::to_string(fileNumber) + ".ini");
    WriteBytes(ours, fixture);
    WriteBytes(theirs, fixture);
    std::string mine;
    std::string windows;
    if (c.write) {
      IniFile(ours).WriteString(c.section, c.key, c.value);
      ASSERT_TRUE(WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.value.c_str(),
                                             theirs.c_str()))
          << c.file;
      mine = ReadBytes(ours);
      windows = ReadBytes(theirs);
    } else {
      mine = IniFile(ours).ReadString(c.section, c.key, c.value);
      windows = WindowsRead(c, theirs);
    }
    const std::string where = "cases.tsv:" + std::to_string(c.line) + " " + c.file + " " +
                              (c.write ? "write" : "read") + " [" + Escape(c.section) + "] " +
                              Escape(c.key) + "\n  ours:    " + Escape(mine) +
                              "\n  Windows: " + Escape(windows);
    if (c.differs.empty()) {
      EXPECT_EQ(mine, windows) << where;
    } else {
      EXPECT_NE(mine, windows) << where << "\n  listed as differing (" << c.differs
                               << ") but agrees now";
    }
  }
}

}  // namespace
}  // namespace qel
