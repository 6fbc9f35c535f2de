// SPDX-License-Identifier: GPL-3.0-or-later
// Every line the configuration tool sends, exactly as it sends it: each is accepted
// without an error and answered in the form the tool reads.
#include <gtest/gtest.h>

#include <regex>

#include "sim/instrument.h"

namespace qel::sim {
namespace {

struct ToolLine {
  const char* line;
  const char* answer;  // regular expression for the whole answer; "" for settings
};

const char* const kNumber = "[-+]?[0-9]\\.[0-9]{5}E[-+][0-9]{2}";

std::string Three(const char* a) {
  return std::string(a) + ";" + a + ";" + a;
}

void Check(Instrument& instrument, const std::vector<ToolLine>& lines) {
  for (const ToolLine& row : lines) {
    const std::string reply = instrument.HandleLine(row.line);
    EXPECT_TRUE(std::regex_match(reply, std::regex(row.answer))) << row.line << " -> " << reply;
    ASSERT_LE(reply.size(), 64u) << row.line;
    ASSERT_EQ(instrument.errors().size(), 0u)
        << row.line << " raised " << instrument.errors().entries().front().code;
  }
}

TEST(ToolLines, MainWindowAndParameterPages) {
  Instrument instrument;
  std::vector<ToolLine> lines = {
      {"MODE?", "DC|AC|PEAK"},
      {"RANG?", "[0-3]"},
      {"UNIT?", "TESL|GAUS|OE|APM"},
      {"MODE PEAK", ""},
      {"UNIT GAUS", ""},
      {"RANG:SET 3", ""},
      {"KEYS:TOP:FUNC?", "NO|RANG|PKNL|NULL"},
      {"KEYS:BOT:FUNC?", "NO|RANG|PKNL|NULL"},
      {"KEYS:TOP:FUNC No", ""},
      {"KEYS:BOT:FUNC PKNL", ""},
      {"SERI:COMA:BAUD?", "1200|2400|4800|9600|14K4|19K2|38K4"},
      {"SERI:COMA:STOP?", "1|2"},
      {"SERI:COMA:PARY?", "NONE|EVEN|ODD"},
      {"SERI:COMA:MODE?", "SCPI|SHOR|FLOW"},
      {"SERI:COMA:BAUD 38K4", ""},
      {"SERI:COMA:STOP 1", ""},
      {"SERI:COMA:PARY ODD", ""},
      {"SERI:COMA:MODE SHOR", ""},
      {"par:savw?", "0"},
      {"DGIO:IN?", "[01],[01],[01]"},
      {"INTE:RANG 0", ""},
      {"INTE:RANG 7", ""},
      {"inte:tol", ""},
      {"inte:tos", ""},
      {"inte:tus", ""},
      {"inte:tul", ""},
      {"inte:tol;tul", ""},
      {"inte:tlok 1", ""},
      {"inte:tlok 0", ""},
      {"DGIO:OEN1 0", ""},
  };
  Check(instrument, lines);
  for (int k = 1; k <= 3; ++k) {
    const std::string n = std::to_string(k);
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"DGIO:SET:IN" + n + ":FUNC?", "NO|HOLD|NLPK|NULL"},
        {"DGIO:SET:IN" + n + ":LOG?", "0|1"},
        {"DGIO:SET:IN" + n + ":FUNC NULL", ""},
        {"DGIO:SET:IN" + n + ":LOG 1", ""},
    };
    for (const auto& [line, answer] : rows) Check(instrument, {{line.c_str(), answer.c_str()}});
  }
}
TEST(ToolLines, OutputAndLanLinesOfEveryChannel) {
  Instrument instrument;
  for (int k = 1; k <= 4; ++k) {
    const std::string n = std::to_string(k);
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"DGIO:SET:OUT" + n + ":FUNC?", "NO|ON|IFHI|IFLO|IFIN|IFOU|IFOV|IFRN"},
        {"DGIO:SET:OUT" + n + ":LOG?", "0|1"},
        {"DGIO:SET:OUT" + n + ":LIMI:HIGH?", "[-0-9.E]+"},
        {"DGIO:SET:OUT" + n + ":LIMI:LOW?", "[-0-9.E]+"},
        {"DGIO:SET:OUT" + n + ":FUNC IFOU", ""},
        {"DGIO:SET:OUT" + n + ":LOG 1", ""},
        {"DGIO:SET:OUT" + n + ":LIMI:HIGH 1.5", ""},
        {"DGIO:SET:OUT" + n + ":LIMI:LOW -1.5", ""},
        {"DGIO:OEN" + n + " 1", ""},
        {"DGIO:SET:OUT" + n + ":LOG 0", ""},
        {"DGIO:OUT" + n + " 1", ""},
        {"DGIO:OEN" + n + " 0", ""},
        {"IP:IP" + n + "?", "[0-9]{1,3}"},
        {"IP:MAS" + n + "?", "[0-9]{1,3}"},
        {"IP:IP" + n + " 001", ""},
        {"IP:MAS" + n + " 255", ""},
    };
    for (const auto& [line, answer] : rows) Check(instrument, {{line.c_str(), answer.c_str()}});
  }
}

TEST(ToolLines, LiveReadoutInEveryMode) {
  Instrument instrument;
  for (const char* mode : {"MODE DC", "MODE AC", "MODE PEAK"}) {
    instrument.HandleLine(mode);
    const std::string three = Three(kNumber);
    Check(instrument, {{"mode?", "DC|AC|PEAK"},
                       {":read:dc?", kNumber},
                       {":rang?;unit?", "[0-3];(TESL|GAUS|OE|APM)"},
                       {":read:ac?", kNumber},
                       {":peak:fast:read?;read:min?;max?", three.c_str()},
                       {":peak:slow:read?;read:min?;max?", three.c_str()},
                       {"peak:null", ""}});
  }
}

TEST(ToolLines, InformationErrorsAndConsole) {
  Instrument instrument;
  Check(instrument, {{"*idnt?", ".+"},
                     {"SN:UNIT?", "[0-9]+"},
                     {"SN:HW?", ".+"},
                     {"SN:SW?", ".+"},
                     {"SN:CALI?", ".+"},
                     {"Probe:NAME?", "\"[^\"]{32}\""},
                     {"Probe:TYPE?", "[0-6]"},
                     {"Probe:SN?", "\"[0-9]{9}\""},
                     {"Probe:SNEP?", "[0-9A-F]{16}"},
                     {"*idn?", "KORVAL,QEL11,.*"},
                     {"syst:err?", "0,\"No error\""}});
}

TEST(ToolLines, HardcopyCapture) {
  Instrument instrument;
  Check(instrument, {{"INTE:HCLN 48", ""}, {"INTE:HCOF 0", ""}});
  for (int i = 0; i < 21; ++i) {
    const std::string reply = instrument.HandleLine("INTE:HC?");
    ASSERT_EQ(reply.substr(0, 6), "#40048");
  }
  Check(instrument, {{"INTE:HCLN 16", ""}});
  EXPECT_EQ(instrument.HandleLine("INTE:HC?").size(), 22u);
  EXPECT_EQ(instrument.errors().size(), 0u);
}

TEST(ToolLines, ProbeServiceReadAndWrite) {
  Instrument instrument;
  Check(instrument, {{"PROB:LOCK 6083; *opc?", "1"},
                     {"PROB:READ?", "1"},
                     {"PROB:NAME?", "\".{32}\""},
                     {"PROB:CAL?", "\".{16}\""},
                     {"PROB:S01?", "[-0-9.E]+"},
                     {"PROB:S02?", "[-0-9.E]+"},
                     {"PROB:Type?", "[0-6]"},
                     {"PROB:SNEP?", "[0-9A-F]+"},
                     {"PROB:SN?", "\"[0-9]+\""},
                     {"PROB:alf1?", "[-0-9.E]+"},
                     {"PROB:Ro11?", "[-0-9.E]+"},
                     {"PROB:Ro31?", "[-0-9.E]+"},
                     {"PROB:ALF2?", "[-0-9.E]+"},
                     {"PROB:Ro12?", "[-0-9.E]+"},
                     {"PROB:Ro32?", "[-0-9.E]+"},
                     {"PROB:HFRF?", "[-0-9.E]+"},
                     {"PROB:LOCK 0; *opc?", "1"},
                     // The write sequence, with empty fields as the window may send them.
                     {"PROB:LOCK 6083; *opc?", "1"},
                     {"PROB:NAME \"\"", ""},
                     {"PROB:CAL \"Cal --\"", ""},
                     {"PROB:Type 6", ""},
                     {"PROB:SN \"\"", ""},
                     {"PROB:S01 150", ""},
                     {"PROB:alf1 0.000000000", ""},
                     {"PROB:Ro11 0", ""},
                     {"PROB:Ro31 -0.25", ""},
                     {"PROB:S02 1.5e2", ""},
                     {"PROB:ALF2 0.013000000", ""},
                     {"PROB:Ro12 0", ""},
                     {"PROB:Ro32 0", ""},
                     {"PROB:HFRF 8.00125", ""},
                     {"PROB:WRIT?", "1"},
                     {"PROB:LOCK 0; *opc?", "1"}});
}

TEST(ToolLines, InternalSettings) {
  Instrument instrument;
  std::vector<std::string> reads;
  for (int k = 0; k < 8; ++k) reads.push_back("INTE:CONS:MAG:GA" + std::to_string(k) + "?");
  for (const char* line :
       {"INTE:ISND:GAIN?", "INTE:ISND:OFFS?", "INTE:CONS:I1MA?", "INTE:CONS:I3MA?"}) {
    reads.push_back(line);
  }
  for (const auto& line : reads) Check(instrument, {{line.c_str(), "[-0-9.E]+"}});
  Check(instrument,
        {{"SN:UNIT?", ".+"}, {"SN:CALI?", ".+"}, {"INTE:ISND:GET?", "[0-9]+\\.[0-9]{4}"}});
  // "Parm Schreiben" sends back what it read, unchanged.
  std::vector<std::string> writes;
  for (const auto& line : reads) {
    const std::string value = instrument.HandleLine(line);
    writes.push_back(line.substr(0, line.size() - 1) + " " + value);
  }
  writes.push_back("INTE:SN \"" + instrument.HandleLine("SN:UNIT?") + "\"");
  writes.push_back("INTE:CALI \"" + instrument.HandleLine("SN:CALI?") + "\"");
  writes.push_back("INTE:LOCK 6083");
  for (const auto& line : writes) Check(instrument, {{line.c_str(), ""}});
  Check(instrument, {{"INTE:SAVE?", "0"}, {"INTE:LOCK 6083", ""}, {"INTE:DEFA", ""}});
}

}  // namespace
}  // namespace qel::sim
