// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The token lists of the parameter pages and the German item texts of their choice
// boxes (Windows-1252 bytes; the GUI translates them for display). Token k belongs to
// item k. Item texts are shown only: they are never sent and never stored. Umlauts are
// written as octal escapes, which end after three digits (Windows-1252 codes).

#include <array>
#include <span>
#include <string_view>

namespace qel {

struct ChoiceList {
  std::string_view tokens;
  std::span<const std::string_view> items;
};

// Measurement page and live readout.
inline constexpr std::string_view kModeTokens = "DC,AC,PEAK";
inline constexpr std::string_view kUnitTokens = "TESL,GAUS,OE,APM";
inline constexpr std::string_view kRangeTokens = "0,1,2,3";
// The readout's unit letters (no choice box).
inline constexpr std::string_view kUnitLetterTokens = "T,G,Oe,A/m";

inline constexpr std::array<std::string_view, 3> kModeItems = {"DC Gleichfeld", "AC Wechselfeld",
                                                               "PEAK Spitzenwert"};
inline constexpr std::array<std::string_view, 4> kUnitItems = {"Tesla", "Gauss", "Oersted", "kA/m"};
// The range box's own items, shown until the range texts first follow mode and unit.
inline constexpr std::array<std::string_view, 4> kRangeItems = {"10 mT", "100 mT", "1000 mT",
                                                                "4500 mT / 10T"};

inline constexpr ChoiceList kModeChoices{kModeTokens, kModeItems};
inline constexpr ChoiceList kUnitChoices{kUnitTokens, kUnitItems};
inline constexpr ChoiceList kRangeChoices{kRangeTokens, kRangeItems};

// Output page.
inline constexpr std::string_view kOutFunctionTokens = "NO,ON,IFHI,IFLO,IFIN,IFOU,IFOV,IFRN";
inline constexpr std::string_view kLogicTokens = "0,1";

inline constexpr std::array<std::string_view, 8> kOutFunctionItems = {
    "Keine",           "Immer Geschaltet", "Wenn Gr\366\337er", "Wenn Kleiner",
    "Wenn im Bereich", "Wenn aus Bereich", "Wenn \334berlauf",  "Messbereit"};
inline constexpr std::array<std::string_view, 2> kOutLogicItems = {
    "Positiv : Einschalten bei Bedingung", "Negativ : Abschalten bei Bedingung"};

inline constexpr ChoiceList kOutFunctionChoices{kOutFunctionTokens, kOutFunctionItems};
inline constexpr ChoiceList kOutLogicChoices{kLogicTokens, kOutLogicItems};

// Input page.
inline constexpr std::string_view kInFunctionTokens = "NO,HOLD,NLPK,NULL";

inline constexpr std::array<std::string_view, 4> kInFunctionItems = {"Keine", "HOLD", "Null Peak",
                                                                     "Null Kompensation"};
inline constexpr std::array<std::string_view, 2> kInLogicItems = {"Positiv (Normal)",
                                                                  "Negativ (Invertiert)"};

inline constexpr ChoiceList kInFunctionChoices{kInFunctionTokens, kInFunctionItems};
inline constexpr ChoiceList kInLogicChoices{kLogicTokens, kInLogicItems};

// Key page. The first token is "No" (capital N, small o) and is sent that way.
inline constexpr std::string_view kKeyFunctionTokens = "No,RANG,PKNL,NULL";

inline constexpr std::array<std::string_view, 4> kKeyFunctionItems = {
    "Keine", "Bereichswahl", "Peak Nullsetzen", "Sonde Nullsetzen"};

inline constexpr ChoiceList kKeyFunctionChoices{kKeyFunctionTokens, kKeyFunctionItems};

// EIA-232 page.
inline constexpr std::string_view kBaudTokens = "1200,2400,4800,9600,14K4,19K2,38K4";
inline constexpr std::string_view kStopBitTokens = "1,2";
inline constexpr std::string_view kParityTokens = "NONE,EVEN,ODD";
inline constexpr std::string_view kSerialModeTokens = "SCPI,SHOR,FLOW";

inline constexpr std::array<std::string_view, 7> kBaudItems = {
    "1200 bps", "2400 bps", "4800 bps", "9600 bps", "14K4 bps", "19K2 bps", "38K4 bps"};
inline constexpr std::array<std::string_view, 2> kStopBitItems = {"1 Stop Bit", "2 Stop Bits"};
inline constexpr std::array<std::string_view, 3> kParityItems = {
    "Keine Parit\344t (NONE)", "Gerade Parit\344t (EVEN)", "Ungerade Parit\344t (ODD)"};
inline constexpr std::array<std::string_view, 3> kSerialModeItems = {
    "SCPI Befehle", "SHORT Kurzbefehle", "FLOW Dauerausgabe"};

inline constexpr ChoiceList kBaudChoices{kBaudTokens, kBaudItems};
inline constexpr ChoiceList kStopBitChoices{kStopBitTokens, kStopBitItems};
inline constexpr ChoiceList kParityChoices{kParityTokens, kParityItems};
inline constexpr ChoiceList kSerialModeChoices{kSerialModeTokens, kSerialModeItems};

}  // namespace qel
