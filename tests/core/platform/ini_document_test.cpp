// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/ini_document.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qel {
namespace {

const char kMissing[] = "<default>";

struct ReadRow {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::string expected;
};

TEST(IniDocumentRead, ProfileFileRules) {
  const std::string longValue(3000, 'x');
  const std::string exact(2047, 'y');
  const ReadRow rows[] = {
      {"crlf", "[A]\r\nk=v\r\n", "A", "k", "v"},
      {"lf only", "[A]\nk=v\nj=w\n", "A", "j", "w"},
      {"no final line end", "[A]\nk=v", "A", "k", "v"},
      {"cr before eof", "[A]\nk=v\r", "A", "k", "v"},
      {"section and key ignore case", "[SCPI_Demo]\nKey=1\n", "scpi_demo", "KEY", "1"},
      {"requested names trimmed", "[A]\nk=1\n", " A\t", " k ", "1"},
      {"blanks and tabs trimmed", "[A]\n \t k \t=  v w \t\n", "A", "k", "v w"},
      {"indented header", "  [ A ]  trailing\nk=1\n", "A", "k", "1"},
      {"empty value is a value", "[A]\nk=\n", "A", "k", ""},
      {"value keeps later =", "[A]\nk=a=b\n", "A", "k", "a=b"},
      {"double quotes", "[A]\nk=\"a b\"\n", "A", "k", "a b"},
      {"single quotes", "[A]\nk='a b'\n", "A", "k", "a b"},
      {"quotes inside trim", "[A]\nk=  \" padded \"  \n", "A", "k", " padded "},
      {"one pair only", "[A]\nk=\"\"x\"\"\n", "A", "k", "\"x\""},
      {"empty quotes", "[A]\nk=\"\"\n", "A", "k", ""},
      {"lone quote kept", "[A]\nk=\"\n", "A", "k", "\""},
      {"mixed quotes kept", "[A]\nk=\"a'\n", "A", "k", "\"a'"},
      {"semicolon comment", "[A]\n;k=1\nk=2\n", "A", "k", "2"},
      {"indented comment", "[A]\n  ;k=1\n", "A", "k", kMissing},
      {"hash is no comment", "[A]\n#k=1\n", "A", "#k", "1"},
      {"hash line is not key k", "[A]\n#k=1\n", "A", "k", kMissing},
      {"line without = is no key", "[A]\nk\n", "A", "k", kMissing},
      {"first duplicate key wins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
      {"first duplicate section wins", "[A]\nx=1\n[B]\n[a]\nx=2\ny=3\n", "A", "x", "1"},
      {"later copy is invisible", "[A]\nx=1\n[B]\n[a]\nx=2\ny=3\n", "A", "y", kMissing},
      {"key of other section", "[A]\nx=1\n[B]\ny=2\n", "A", "y", kMissing},
      {"keys before any section", "k=1\n[A]\n", "A", "k", kMissing},
      {"header without ] is no header", "[A]\nk=1\n[B\nj=2\n", "A", "j", "2"},
      {"umlauts pass through",
       "[Ger\xE4t]\nGr\xF6\xDF"
       "e=\xE4\xF6\xFC\xDF\n",
       "Ger\xE4t",
       "Gr\xF6\xDF"
       "e",
       "\xE4\xF6\xFC\xDF"},
      {"umlauts do not fold", "[Ger\xE4t]\nk=1\n", "GER\xC4T", "k", kMissing},
      {"cut at 2047", "[A]\nk=" + longValue + "\n", "A", "k", longValue.substr(0, 2047)},
      {"2047 kept whole", "[A]\nk=" + exact + "\n", "A", "k", exact},
      {"quotes go before the cut", "[A]\nk=\"" + exact + "\"\n", "A", "k", exact},
      {"empty file", "", "A", "k", kMissing},
      {"empty key asked", "[A]\n=1\n", "A", "", kMissing},
  };
  for (const auto& row : rows) {
    const IniDocument doc = IniDocument::Parse(row.file);
    EXPECT_EQ(doc.ReadString(row.section, row.key, kMissing), row.expected) << row.name;
  }
}

TEST(IniDocumentRead, SectionAndKeyNamesOncePerNameInFileOrder) {
  const IniDocument doc =
      IniDocument::Parse("x=0\n[A]\nx=1\n;y=2\nz\nX=3\n w =4\n=5\n[b]\n[a]\nv=5\n[B]\n[C]\n");
  EXPECT_EQ(doc.ReadSectionNames(), (std::vector<std::string>{"A", "b", "C"}));
  EXPECT_EQ(doc.ReadSectionKeys("a"), (std::vector<std::string>{"x", "w"}));
  EXPECT_TRUE(doc.ReadSectionKeys("b").empty());
  EXPECT_TRUE(doc.ReadSectionKeys("none").empty());
}

struct WriteRow {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST(IniDocumentWrite, ExactBytes) {
  const WriteRow rows[] = {
      {"new file", "", "Language", "English", "1", "[Language]\r\nEnglish=1\r\n"},
      {"replace in place, file spelling kept", "; head\n[A]\n  KEY = old \n# note\nother\n", "a",
       "key", "new", "; head\r\n[A]\r\nKEY=new\r\n# note\r\nother\r\n"},
      {"append after last key line", "[A]\nx=1\nno key\n\n; B follows\n[B]\ny=2\n", "A", "z", "3",
       "[A]\r\nx=1\r\nz=3\r\nno key\r\n\r\n; B follows\r\n[B]\r\ny=2\r\n"},
      {"append to last section", "[A]\nx=1\n\n", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n"},
      {"section without keys", "[A]\n\n[B]\n", "A", "k", "v", "[A]\r\nk=v\r\n\r\n[B]\r\n"},
      {"new section at end", "[A]\r\nx=1\r\n\r\n", "B", "y", "2",
       "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
      {"new section after unterminated line", "[A]\nx=1", "B", "y", "2",
       "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
      {"first duplicate key replaced", "[A]\nk=1\nk=2\n", "A", "K", "3", "[A]\r\nk=3\r\nk=2\r\n"},
      {"first duplicate section gets the key", "[A]\nx=1\n[B]\n[A]\ny=2\n", "A", "y", "5",
       "[A]\r\nx=1\r\ny=5\r\n[B]\r\n[A]\r\ny=2\r\n"},
      {"comment with the key name untouched", "[A]\n;k=1\n", "A", "k", "2",
       "[A]\r\nk=2\r\n;k=1\r\n"},
      {"names trimmed, value as given", "", " A ", " k ", " v ", "[A]\r\nk= v \r\n"},
      {"empty value", "[A]\nk=1\n", "A", "k", "", "[A]\r\nk=\r\n"},
      {"umlauts byte for byte", "[\xC4]\n\xE4=1\n", "\xC4", "\xE4", "\xF6\xFC\xDF",
       "[\xC4]\r\n\xE4=\xF6\xFC\xDF\r\n"},
      {"line breaks in a value become blanks", "[A]\n", "A", "k", "a\r\n[Evil]\nx=1",
       "[A]\r\nk=a  [Evil] x=1\r\n"},
      {"a lone CR ends a line", "[A]\rk=1\rm=2\n\r[B]\r\n", "A", "k", "3",
       "[A]\r\nk=3\r\nm=2\r\n\r\n[B]\r\n"},
      // Without skipping the mark, [A] is no header and a second [A] is appended.
      {"byte-order mark skipped and kept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2",
       "\xEF\xBB\xBF[A]\r\nk=2\r\n"},
  };
  for (const auto& row : rows) {
    IniDocument doc = IniDocument::Parse(row.before);
    doc.WriteString(row.section, row.key, row.value);
    EXPECT_EQ(doc.Serialize(), row.after) << row.name;
  }
}

TEST(IniDocumentWrite, WrittenValuesReadBack) {
  IniDocument doc = IniDocument::Parse("[A]\nx=1\n[B]\n[a]\ny=2\n");
  doc.WriteStrings("A", {{"y", "5"}, {"z", "\xE4"}, {"x", "7"}});
  EXPECT_EQ(doc.ReadString("a", "y", kMissing), "5");
  EXPECT_EQ(doc.ReadString("a", "z", kMissing), "\xE4");
  EXPECT_EQ(doc.ReadString("a", "x", kMissing), "7");
  doc.WriteString("A", "k", "a\nb");
  EXPECT_EQ(doc.ReadSectionNames(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniDocumentWrite, RejectsNamesTheFileCannotHold) {
  const std::pair<const char*, const char*> rows[] = {
      {"A", ""},     {"A", "  "},  {"A", "a=b"},  {"A", ";x"},   {"A", "[x"},
      {"A", "a\nb"}, {"a]b", "k"}, {"a\rb", "k"}, {"a\nb", "k"},
  };
  for (const auto& [section, key] : rows) {
    IniDocument doc = IniDocument::Parse("[A]\nk=1\n");
    EXPECT_THROW(doc.WriteString(section, key, "v"), std::invalid_argument) << section << key;
    EXPECT_EQ(doc.Serialize(), "[A]\r\nk=1\r\n");
  }
}

}  // namespace
}  // namespace qel
