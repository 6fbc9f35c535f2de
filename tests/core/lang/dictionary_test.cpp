// SPDX-License-Identifier: GPL-3.0-or-later
// Pair-line syntax, table rows, loading, sorting and lookup on small dictionary texts.
#include "core/lang/dictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lang/dictionary_line.h"

namespace qel {
namespace {

TEST(ParseDictionaryLine, FieldsAndQuotes) {
  struct Row {
    std::string line;
    std::string german;
    std::string english;
  };
  const std::vector<Row> rows = {
      {R"("Lesen";"Read")", "Lesen", "Read"},
      // a blank after the closing quote stays in the field (trimmed later)
      {R"("DC Gleichfeld";"DC field" )", "DC Gleichfeld", "DC field "},
      // the line end closes an unclosed quoted run
      {R"("Werte";"Write values to device)", "Werte", "Write values to device"},
      // ";" inside a quoted run is text
      {R"("a;b";"c;d")", "a;b", "c;d"},
      // doubled quotes inside and outside a run
      {R"("say ""hi""";"x")", "say \"hi\"", "x"},
      {R"(""x;y)", "\"x", "y"},
      {R"("a""";"b")", "a\"", "b"},
      // text outside runs belongs to the field
      {R"(ab"cd"ef;g)", "abcdef", "g"},
      // further fields ignored, missing field 2 gives empty English
      {R"("a";"b";"c")", "a", "b"},
      {R"("a")", "a", ""},
      {R"("a";)", "a", ""},
      {"", "", ""},
      {"\"Ger\xE4t\";\"Device\"", "Ger\xE4t", "Device"},
  };
  for (const Row& row : rows) {
    const DictionaryLineFields fields = ParseDictionaryLine(row.line);
    EXPECT_EQ(fields.German, row.german) << row.line;
    EXPECT_EQ(fields.English, row.english) << row.line;
  }
}

TEST(MakeDictionaryEntry, KeyUpperCasedAsciiOnlyBothTrimmedOfBlanksOnly) {
  struct Row {
    DictionaryLineFields fields;
    DictionaryEntry entry;
  };
  const std::vector<Row> rows = {
      {{"  Lesen ", " Read  "}, {"LESEN", "Read"}},
      {{"Ger\xE4tedaten", "Device data"}, {"GER\xE4TEDATEN", "Device data"}},
      {{"Gr\xF6\xDF\x65r", "x"}, {"GR\xF6\xDF\x45R", "x"}},
      {{"&Datei", "&File"}, {"&DATEI", "&File"}},
      {{"\tTab\t", "\tx\t"}, {"\tTAB\t", "\tx\t"}},
      {{"   ", ""}, {"", ""}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(MakeDictionaryEntry(row.fields), row.entry) << row.fields.German;
  }
}

TEST(MakeDictionaryEntry, TextsAreCutAt200Characters) {
  const std::string longGerman = " " + std::string(250, 'a');
  const DictionaryEntry entry = MakeDictionaryEntry({longGerman, std::string(201, 'e')});
  EXPECT_EQ(entry.Key, std::string(200, 'A'));
  EXPECT_EQ(entry.English, std::string(200, 'e'));
}

TEST(Dictionary, LoadTakesOnlyLinesStartingWithAQuote) {
  Dictionary dictionary;
  dictionary.LoadDictionaryText(
      "MARKER\r\nEnglisch\r\n\"a\";\"1\"\r\n \"b\";\"2\"\n\"c\";\"3\"\r\"d\";\"4\"\n\r\n"
      "x\"e\";\"5\"\r\n\"f\";\"6\"");
  const std::vector<DictionaryEntry> expected = {{"A", "1"}, {"C", "3"}, {"D", "4"}, {"F", "6"}};
  EXPECT_EQ(dictionary.Entries(), expected);
}

TEST(Dictionary, LoadReplacesTheTable) {
  Dictionary dictionary;
  dictionary.LoadDictionaryText("\"a\";\"1\"\r\n\"b\";\"2\"\r\n");
  dictionary.LoadDictionaryText("\"c\";\"3\"\r\n");
  EXPECT_EQ(dictionary.Entries(), (std::vector<DictionaryEntry>{{"C", "3"}}));
  dictionary.LoadDictionaryText("");
  EXPECT_TRUE(dictionary.Empty());
}

TEST(Dictionary, SortsByUnsignedBytesPrefixFirst) {
  Dictionary dictionary;
  dictionary.LoadDictionaryText(
      "\"\xE4x\";\"ae\"\r\n\"zz\";\"z\"\r\n\"ab\";\"2\"\r\n\"a\";\"1\"\r\n\"&a\";\"amp\"\r\n"
      "\"a b\";\"blank\"\r\n");
  dictionary.SortDictionary();
  std::vector<std::string> keys;
  for (const DictionaryEntry& entry : dictionary.Entries()) keys.push_back(entry.Key);
  EXPECT_EQ(keys, (std::vector<std::string>{"&A", "A", "A B", "AB", "ZZ", "\xE4X"}));
}

TEST(Dictionary, FindIsExactOnTheUpperCasedKey) {
  Dictionary dictionary;
  dictionary.LoadDictionaryText(
      "\"Lesen\";\"Read\"\r\n\"Ger\xE4t\";\"Device\"\r\n\"Les\";\"x\"\r\n\"Lesen2\";\"y\"\r\n");
  dictionary.SortDictionary();
  const auto english = [&](std::string_view key) -> std::string {
    const int position = dictionary.FindDictionaryEntry(key);
    return position < 0 ? "<none>"
                        : dictionary.Entries()[static_cast<std::size_t>(position)].English;
  };
  EXPECT_EQ(english("LESEN"), "Read");
  EXPECT_EQ(english("LES"), "x");
  EXPECT_EQ(english("LESEN2"), "y");
  EXPECT_EQ(english("GER\xE4T"), "Device");
  EXPECT_EQ(english("Lesen"), "<none>");     // the caller upper-cases
  EXPECT_EQ(english("GER\xC4T"), "<none>");  // umlaut case matters
  EXPECT_EQ(english("LESEN "), "<none>");
  EXPECT_EQ(english(""), "<none>");
  EXPECT_EQ(Dictionary().FindDictionaryEntry("LESEN"), -1);
}

TEST(Dictionary, FindUsesTheFirst200CharactersOfTheKey) {
  const std::string key200(200, 'K');
  Dictionary dictionary;
  dictionary.LoadDictionaryText("\"" + key200 + "\";\"long\"\r\n");
  dictionary.SortDictionary();
  EXPECT_EQ(dictionary.FindDictionaryEntry(key200 + "MORE"), 0);
  EXPECT_EQ(dictionary.FindDictionaryEntry(std::string(199, 'K')), -1);
}

TEST(Dictionary, OfEqualKeysTheFirstInTheTextWins) {
  // Enough rows that an unstable sort would mix the copies of "B".
  std::string text;
  for (int i = 0; i < 60; ++i) {
    const std::string german = i % 3 == 0 ? " b " : std::string(1, static_cast<char>('a' + i % 26));
    text += "\"" + german + "\";\"" + std::to_string(i) + "\"\r\n";
  }
  Dictionary dictionary;
  dictionary.LoadDictionaryText(text);
  dictionary.SortDictionary();
  const int position = dictionary.FindDictionaryEntry("B");
  ASSERT_GE(position, 0);
  EXPECT_EQ(dictionary.Entries()[static_cast<std::size_t>(position)].English, "0");
}

}  // namespace
}  // namespace qel
