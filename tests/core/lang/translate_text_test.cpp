// SPDX-License-Identifier: GPL-3.0-or-later
// Translating single window texts through the built-in dictionary.
#include "core/lang/translate_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/win1252.h"

namespace qel {
namespace {

class TranslateTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dictionary_.LoadDictionaryResource();
    dictionary_.SortDictionary();
  }
  // Window texts are Windows-1252; the rows here are written in UTF-8.
  std::string Translate(const char* utf8) const {
    return Win1252ToUtf8(TranslateText(dictionary_, Utf8ToWin1252(utf8)));
  }
  Dictionary dictionary_;
};

TEST_F(TranslateTextTest, Rows) {
  struct Row {
    const char* text;
    const char* result;
  };
  const Row rows[] = {
      // nothing to look up
      {"", ""},
      {"L", "L"},
      {"-", "-"},
      {"10", "10"},
      {"0.0000", "0.0000"},
      {"  ::  ", "  ::  "},
      // looked up although short or mostly digits
      {"%T", "%T"},
      {"mA", "mA"},
      {"1200 bps", "1200 bps"},
      // ASCII case does not matter
      {"Lesen", "Read"},
      {"lesen", "Read"},
      {"LESEN", "Read"},
      {"parameter öffnen", "Open device parameter"},
      {"PARAMETER öFFNEN", "Open device parameter"},
      // umlaut case does
      {"PARAMETER ÖFFNEN", "PARAMETER ÖFFNEN"},
      {"GERÄTEDATEN", "GERÄTEDATEN"},
      {"GERäTEDATEN", "Device data"},
      // accelerator marks are dropped for the lookup and not carried over
      {"&Lesen", "Read"},
      {"Le&sen", "Read"},
      {"&Datei", "File"},
      {"&&Datei&", "File"},
      // Lead blanks and a Trail of blanks and colons are kept as they stood
      {"Lesen:", "Read:"},
      {"  Lesen  ", "  Read  "},
      {"Lesen :", "Read :"},
      {"Lesen: :  ", "Read: :  "},
      {" Geräte Informationen ", " Device information "},
      {"Ausgang 1 ", "Output 1 "},
      {" Eingang 1  ", " Input 1  "},
      {"Werte aus Gerät lesen ", "Read values from device "},
      {"Werte ins Gerät schreiben ", "Write values to device "},
      // a colon at the start belongs to the core
      {": Lesen", ": Lesen"},
      {":Lesen", ":Lesen"},
      // blanks inside the core are not collapsed
      {"Gain 0  1", "Gain 0  1"},
      {"Gain 0 1", "Gain 0 1"},
      // tabs are no blanks
      {"\tLesen", "\tLesen"},
      // quirky lines of the built-in text
      {"DC Gleichfeld", "DC field"},
      {"Type", "Type"},
      {"Kalibrier Info", "Calibration info"},
      {"Positiv : Einschalten bei Bedingung", "Positive : turn on in condition"},
      // not in the dictionary
      {"SCPI IDNT", "SCPI IDNT"},
      {"Lesen Schreiben", "Lesen Schreiben"},
      {"Senden bei Doppelclick", "Senden bei Doppelclick"},
  };
  for (const Row& row : rows) EXPECT_EQ(Translate(row.text), row.result) << row.text;
}

TEST(ContainsLetter, AsciiLettersAndTheSixUmlauts) {
  struct Row {
    std::string text;
    bool letter;
  };
  const Row rows[] = {
      {"", false},     {"123 -:/%", false}, {"a", true},     {"Z", true},    {"\xC4", true},
      {"\xD6", true},  {"\xDC", true},      {"\xE4", true},  {"\xF6", true}, {"\xFC", true},
      {"\xDF", false}, {"\xE9\xC9", false}, {"@[`{", false}, {"12x", true},
  };
  for (const Row& row : rows) EXPECT_EQ(ContainsLetter(row.text), row.letter) << row.text;
}

TEST(ContainsLetter, LooksAtTheFirst200CharactersOnly) {
  EXPECT_TRUE(ContainsLetter(std::string(199, '1') + "a"));
  EXPECT_FALSE(ContainsLetter(std::string(200, '1') + "a"));
}

TEST(TranslateText, LongTextsAreLookedUpWithTheirFirst200Characters) {
  Dictionary dictionary;
  dictionary.LoadDictionaryText("\"" + std::string(200, 'w') + "\";\"long\"\r\n");
  dictionary.SortDictionary();
  EXPECT_EQ(TranslateText(dictionary, std::string(200, 'w') + "zzz"), "long");
  EXPECT_EQ(TranslateText(dictionary, std::string(199, 'w')), std::string(199, 'w'));
}

TEST(TranslateText, EntryWithEmptyEnglishLeavesTheTextAlone) {
  Dictionary dictionary;
  dictionary.LoadDictionaryText("\"Leer\"\r\n\"Halb\";\r\n\"Blank\";\"   \"\r\n");
  dictionary.SortDictionary();
  for (const char* text : {"Leer", "Halb", " Blank:"}) {
    EXPECT_EQ(TranslateText(dictionary, text), text);
  }
}

TEST(TranslateIfActive, OnlyWhenActiveAndNotEmpty) {
  Dictionary dictionary;
  LanguageState state;
  state.EnglishSelected = true;
  // Not active yet: nothing is translated, the table is not even loaded.
  EXPECT_EQ(TranslateIfActive(dictionary, state, "Seriennummer"), "Seriennummer");

  EXPECT_TRUE(ActivateTranslation(dictionary, state));
  EXPECT_TRUE(state.TranslationActive);
  EXPECT_EQ(dictionary.Count(), 219u);
  EXPECT_EQ(TranslateIfActive(dictionary, state, "Seriennummer"), "Serial Number");
  EXPECT_EQ(TranslateIfActive(dictionary, state, " Hardware Stand:"), " Hardware version:");
  EXPECT_EQ(TranslateIfActive(dictionary, state, ""), "");
}

TEST(ActivateTranslation, GermanLeavesEverythingAsItIs) {
  Dictionary dictionary;
  LanguageState state;
  EXPECT_FALSE(ActivateTranslation(dictionary, state));
  EXPECT_FALSE(state.TranslationActive);
  EXPECT_TRUE(dictionary.Empty());
  EXPECT_EQ(TranslateIfActive(dictionary, state, "Seriennummer"), "Seriennummer");
}

}  // namespace
}  // namespace qel
