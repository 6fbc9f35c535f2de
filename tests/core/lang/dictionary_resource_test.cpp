// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in dictionary text: its bytes, its table, and the rows the windows rely on.
#include "core/lang/dictionary_resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/lang/dictionary.h"
#include "core/lang/translate_text.h"
#include "core/text/win1252.h"

namespace qel {
namespace {

std::vector<std::string> SplitCrlf(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

Dictionary LoadedDictionary() {
  Dictionary dictionary;
  dictionary.LoadDictionaryResource();
  dictionary.SortDictionary();
  return dictionary;
}

TEST(DictionaryResource, BytesAreWindows1252WithCrlfLineEnds) {
  const std::string_view text = DictionaryResourceText();
  EXPECT_EQ(text.size(), 6356u);
  std::size_t crlf = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) crlf += text.substr(i, 2) == "\r\n";
  EXPECT_EQ(crlf, 224u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 224);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 224);
  // Umlauts are single bytes; no UTF-8 lead byte (0xC3) appears.
  EXPECT_EQ(text.find('\xC3'), std::string_view::npos);
  EXPECT_NE(text.find(Utf8ToWin1252("\"Parameter öffnen\"")), std::string_view::npos);
  EXPECT_NE(text.find("\"Ger\xE4tedaten\""), std::string_view::npos);
}

TEST(DictionaryResource, LayoutMarkerLanguagePairLinesThreeEmptyLines) {
  const std::vector<std::string> lines = SplitCrlf(DictionaryResourceText());
  ASSERT_EQ(lines.size(), 224u);
  EXPECT_EQ(lines[0], "KORVAL-WOERTERBUCH");
  EXPECT_EQ(lines[1], "Englisch");
  for (std::size_t i = 2; i < 221; ++i) {
    ASSERT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(lines[i].front(), '"') << i;
  }
  EXPECT_EQ(lines[2], "\"Parameter speichern\";\"Save device parameter\"");
  EXPECT_EQ(lines[221], "");
  EXPECT_EQ(lines[222], "");
  EXPECT_EQ(lines[223], "");
  EXPECT_TRUE(DictionaryResourceText().ends_with("\"\r\n\r\n\r\n\r\n"));
}

TEST(DictionaryResource, QuirkyLinesAreKept) {
  const std::string_view text = DictionaryResourceText();
  EXPECT_NE(text.find("\r\n\"DC Gleichfeld\";\"DC field\" \r\n"), std::string_view::npos);
  EXPECT_NE(text.find("\r\n\"Werte ins Ger\xE4t schreiben\";\"Write values to device\r\n"),
            std::string_view::npos);
  for (const char* line : {"\"&Datei\";\"&File\"", "\"&Service\";", "\"&Hardcopy\";", "\"&Probe\";",
                           "\"&CalParameter\";"}) {
    EXPECT_NE(text.find(std::string("\r\n") + line), std::string_view::npos) << line;
  }
}

TEST(DictionaryResource, Holds219EntriesWith217Keys) {
  Dictionary dictionary;
  dictionary.LoadDictionaryResource();
  ASSERT_EQ(dictionary.Count(), 219u);
  // Text order before sorting: first and last pair line.
  EXPECT_EQ(dictionary.Entries().front(),
            (DictionaryEntry{"PARAMETER SPEICHERN", "Save device parameter"}));
  EXPECT_EQ(dictionary.Entries().back(), (DictionaryEntry{"KALIBRIER INFO", "Calibration info"}));

  std::set<std::string> keys;
  for (const DictionaryEntry& entry : dictionary.Entries()) {
    keys.insert(entry.Key);
    EXPECT_FALSE(entry.English.empty()) << entry.Key;
    EXPECT_NE(entry.English.back(), ' ') << entry.Key;
  }
  EXPECT_EQ(keys.size(), 217u);
}

TEST(DictionaryResource, EveryKeyIsFoundAfterSorting) {
  const Dictionary dictionary = LoadedDictionary();
  for (const DictionaryEntry& entry : dictionary.Entries()) {
    const int position = dictionary.FindDictionaryEntry(entry.Key);
    ASSERT_GE(position, 0) << entry.Key;
    EXPECT_EQ(dictionary.Entries()[static_cast<std::size_t>(position)].Key, entry.Key);
  }
}

// German as the windows show it (UTF-8 here, converted to Windows-1252) and the English
// the dictionary gives for it.
TEST(DictionaryResource, TellingRows) {
  struct Row {
    const char* german;
    const char* english;
  };
  const Row rows[] = {
      {"Parameter speichern", "Save device parameter"},
      {"Parameter öffnen", "Open device parameter"},
      {"Sprache", "Language"},
      {"Englisch", "English"},
      {"Deutsch", "German"},
      {"QEL verbunden", "QEL connected"},
      {"Kein QEL verbunden", "No QEL connected"},
      {"DC Gleichfeld", "DC field"},
      {"Geräte Informationen", "Device information"},
      {"Fehler Status", "Error status"},
      {"Signal Ausgänge / Eingänge", "Signal Outputs / Inputs"},
      {"Positiv : Einschalten bei Bedingung", "Positive : turn on in condition"},
      {"Baudrate", "baud rate"},
      {"Keine", "No"},
      {"Bedienung", "Operation"},
      {"Gerätedaten", "Device data"},
      {"Immer Geschaltet", "always On"},
      {"Wenn Größer", "if greater"},
      {"Wenn Überlauf", "if overflow"},
      {"Negativ (Invertiert)", "Negative (inverse)"},
      {"Test Aus", "Test off"},
      {"Serielle Schnittstellen / Tastenfunktion", "Serial ports / buttons function"},
      {"EIA 485 Schnittstelle", "EIA-485 interface"},
      {"Keine Parität (NONE)", "none parity"},
      {"LAN Adresse", "LAN addresse"},
      {"LAN Submaske", "LAN Submaske"},
      {"Dauer", "Conti"},
      {"DauerRead", "Cont read"},
      {"SCPI Test Form", "SCPI Test dialog"},
      {"Internal Default setzen", "Set internals defaults"},
      {"CalParameter", "Cal parameters"},
      {"Senden mit Doppelclick", "Send by double click"},
      {"Tastenfunktion Obere Taste", "Key function upper button"},
      {"Wert", "Value"},
      {"Messbereit", "Ready to measure"},
      {"Lesen", "Read"},
      {"Schreiben", "Write"},
      {"Werte aus Gerät lesen", "Read values from device"},
      {"Werte ins Gerät schreiben", "Write values to device"},
      {"Einstellungen Speichern", "Save settings"},
      {"Beenden", "Close"},
      {"Datei", "File"},
      {"*idnt?", "*idnt?"},
      {"TOV09 / QEL11 Probe Parameter Service (SCPI)",
       "TOV09 / QEL11 Probe Parameter Service (SCPI)"},
      {"QEL11 Fehler auslesen", "Read QEL11 errors"},
      {"Sprach Einstellung", "language setting"},
      {"Wörterbuch anzeigen", "Show dictionary"},
      {"Geräte Information", "Device information"},
      {"Seriennummer", "Serial Number"},
      {"Hardware Stand", "Hardware version"},
      {"Software Stand", "Software version"},
      {"Kalibrier Info", "Calibration info"},
      {"Sonden Information", "Probe information"},
      {"Bezeichnung", "Name"},
      {"Type", "Type"},
      {"Seriennummer 1", "Serial number 1"},
      {"Seriennummer 2", "Serial number 2"},
  };
  const Dictionary dictionary = LoadedDictionary();
  for (const Row& row : rows) {
    EXPECT_EQ(TranslateText(dictionary, Utf8ToWin1252(row.german)), row.english) << row.german;
  }
}

TEST(DictionaryResource, AccelKeyEntryExistsButIsNeverUsed) {
  const Dictionary dictionary = LoadedDictionary();
  const int position = dictionary.FindDictionaryEntry("&DATEI");
  ASSERT_GE(position, 0);
  EXPECT_EQ(dictionary.Entries()[static_cast<std::size_t>(position)].English, "&File");
  // The lookup drops "&", so "&Datei" reaches the entry "Datei".
  EXPECT_EQ(TranslateText(dictionary, "&Datei"), "File");
}

}  // namespace
}  // namespace qel
