// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl --json: one JSON document per run, with the text output's columns as keys,
// whatever bytes the instrument answers with.

#include <gtest/gtest.h>

#include <fstream>

#include "cli/file_names.h"
#include "cli/json_writer.h"
#include "cli_test_support.h"
#include "sim_peer.h"

namespace qel::testing {
namespace {

TEST(JsonWriter, StringsAreEscapedAndValidUtf8) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\n\r\t\x01\x1f\x7f", "\"\\n\\r\\t\\u0001\\u001f\x7f\""},
      {"23\xC2\xB0"
       "C \xE2\x82\xAC",
       "\"23\xC2\xB0"
       "C \xE2\x82\xAC\""},
      // a lone Windows-1252 byte, a cut sequence, an overlong form, a surrogate
      {"\xB0|\xE2\x82|\xC0\xAF|\xED\xA0\x80",
       "\"\\ufffd|\\ufffd\\ufffd|\\ufffd\\ufffd|"
       "\\ufffd\\ufffd\\ufffd\""},
  };
  for (const auto& [text, json] : rows) EXPECT_EQ(cli::JsonString(text), json) << text;
}

TEST(FileNames, SerialBeforeTheSuffix) {
  const std::vector<std::pair<std::string, std::string>> rows = {{"x.QEL", "x_S.QEL"},
                                                                 {"dir.d/x", "dir.d/x_S"},
                                                                 {"a/.hidden", "a/.hidden_S"},
                                                                 {"a\\b.c.jpg", "a\\b.c_S.jpg"},
                                                                 {"Prüf €.QEL", "Prüf €_S.QEL"}};
  for (const auto& [given, named] : rows) EXPECT_EQ(cli::NameWithTag(given, "S"), named);
  EXPECT_EQ(cli::SerialFileTag("  11/23:42\x01 "), "11_23_42_");
  EXPECT_EQ(cli::SerialFileTag("\xC4"), "\xC3\x84");
  EXPECT_EQ(cli::SerialFileTag("  "), "");
}

// The reply's quotes, backslash, control byte and Windows-1252 degree sign all arrive.
TEST(Qel11ctlJson, ScpiRowsExactly) {
  ReportStreamPeer peer(QelHello(), [](const std::string& line) {
    return ReportStreamPeer::Answer{line == "T?" ? "\"2\\3\"\x01\xB0" : ""};
  });
  const auto r = Ctl({"--device", peer.Device(), "--json", "scpi", "T?", "MODE \xC3\xA4"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "[\n"
            "  {\"line\": \"T?\", \"reply\": \"\\\"2\\\\3\\\"\\u0001\xC2\xB0\"},\n"
            "  {\"line\": \"MODE \xC3\xA4\", \"reply\": null}\n"
            "]\n");
}

// Every command with rows parses as JSON with its keys, also on several instruments.
TEST(Qel11ctlJson, EveryCommandParsesWithItsKeys) {
  const std::string jq = "/usr/bin/jq";
  ASSERT_TRUE(std::filesystem::exists(jq)) << "jq is missing (scripts/deps.sh installs it)";
  const std::string changed = TestData("cli/changed.QEL");
  SimPeer sim;
  SimPeer other;
  const std::string rows = "type == \"array\" and length > 0 and all(.[]; keys_unsorted == %)";
  struct Row {
    std::vector<std::string> args;
    std::string keys;  // as jq writes an array
    int exitCode;
  };
  const std::vector<Row> table = {
      {{"list"}, R"(["path","description"])", 0},
      {{"scpi", "*IDN?", "MODE DC"}, R"(["line","reply"])", 0},
      {{"info"}, R"(["caption","value"])", 0},
      {{"errors"}, R"(["entry"])", 0},
      {{"display"}, R"(["name","text"])", 0},
      {{"diff", changed}, R"(["section","key","file","instrument"])", 1},
  };
  ScratchFolder dir;
  for (const Row& row : table) {
    for (const bool many : {false, true}) {
      std::vector<std::string> args = {"--json", "--device", sim.peer.Device()};
      if (many) args.insert(args.end(), {"--device", other.peer.Device()});
      args.insert(args.end(), row.args.begin(), row.args.end());
      const auto r = Ctl(args);
      EXPECT_EQ(r.exitCode, row.exitCode) << row.args[0] << r.err;
      const std::string file = dir.File("out.json");
      std::ofstream(file, std::ios::binary) << r.out;
      std::string filter = rows;
      filter.replace(filter.find('%'), 1, row.keys);
      if (many) {
        filter =
            "length == 2 and all(.[]; keys_unsorted == [\"device\",\"exit\",\"result\"] and "
            "(.result | " +
            filter + "))";
      }
      const auto check = RunProcess(jq, {"-e", filter, file});
      EXPECT_EQ(check.exitCode, 0)
          << row.args[0] << (many ? " (many)" : "") << ": " << r.out << check.err;
    }
  }
}

}  // namespace
}  // namespace qel::testing
