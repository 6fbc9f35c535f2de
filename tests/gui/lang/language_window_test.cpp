// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up language over the real window set: the language window translates every
// window once when English is selected, and nothing when German is.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include "core/lang/dictionary.h"
#include "gui/lang/translate_component.h"
#include "gui/pages/parameter_file_dialogs.h"
#include "lang_fixture.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::testing {
namespace {

// Every entry of the built-in dictionary with " ~" after its English text, and that text
// in turn translated to one with " ~~": a text translated twice shows "~~".
Dictionary ChainedBuiltInDictionary() {
  Dictionary builtIn;
  builtIn.LoadDictionaryResource();
  const auto quoted = [](const std::string& text) {
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
  };
  std::string text = "KORVAL-WOERTERBUCH\r\nEnglisch\r\n";
  for (const DictionaryEntry& entry : builtIn.Entries()) {
    if (entry.English.empty()) continue;
    text += quoted(entry.Key) + ";" + quoted(entry.English + " ~") + "\r\n";
    text += quoted(entry.English + " ~") + ";" + quoted(entry.English + " ~~") + "\r\n";
  }
  Dictionary chained;
  chained.LoadDictionaryText(text);
  chained.SortDictionary();
  return chained;
}

TEST(LanguageWindow, GermanSelectedTranslatesNothing) {
  LangFixture german(false, /*systemIsGerman=*/false);
  EXPECT_FALSE(german.app->Language().EnglishSelected);
  EXPECT_FALSE(german.app->Language().TranslationActive);
  EXPECT_TRUE(german.app->Dictionary().Empty());
  auto& form = german.app->MainForm().Form();
  EXPECT_EQ(form.Datei1->title(), QString("Datei"));
  EXPECT_EQ(form.Englisch1->text(), QString("Englisch"));
  EXPECT_EQ(german.app->SprachForm().windowTitle(), QString("Sprach Einstellung"));
}

TEST(LanguageWindow, EnglishStartTranslatesEveryWindowOnce) {
  LangFixture german(false);
  LangFixture english(true);
  ASSERT_TRUE(english.app->Language().EnglishSelected);
  ASSERT_TRUE(english.app->Language().TranslationActive);
  EXPECT_EQ(english.app->Dictionary().Count(), 219u);

  const TextSlots before = CollectTexts(german.app->Forms());
  const TextSlots after = CollectTexts(english.app->Forms());
  ASSERT_EQ(before.size(), after.size());
  int changed = 0;
  for (const auto& [where, text] : before) {
    const auto found = after.find(where);
    ASSERT_NE(found, after.end()) << where;
    EXPECT_EQ(found->second, gui::TranslateQString(english.app->Dictionary(), text)) << where;
    if (found->second != text) ++changed;
  }
  EXPECT_GT(changed, 40);

  auto& form = english.app->MainForm().Form();
  EXPECT_EQ(form.Datei1->title(), QString("File"));
  EXPECT_EQ(form.Sprache1->title(), QString("Language"));
  EXPECT_EQ(form.Englisch1->text(), QString("English"));
  EXPECT_EQ(form.Deutsch1->text(), QString("German"));
  EXPECT_EQ(form.Beenden1->text(), QString("Close"));
  EXPECT_EQ(form.StatusPanelFehler->text(), QString("No QEL connected"));
  EXPECT_EQ(form.StatusPanelVerbunden->text(), QString("QEL connected"));
  EXPECT_EQ(form.PageControl1->tabText(0), QString(" Operation "));
  EXPECT_EQ(form.PageControl1->tabText(2), QString(" Signal Outputs / Inputs "));
  EXPECT_EQ(form.Store_GroupBox->title(), QString(" Save settings "));
  EXPECT_EQ(form.Button14->text(), QString("Read values from device "));
  EXPECT_EQ(form.Button15->text(), QString("Write values to device "));
  EXPECT_EQ(form.TestOut1->text(), QString("Output 1 "));
  EXPECT_EQ(form.Label1->text(), QString("Send by double click"));
  EXPECT_EQ(form.StringGrid->toolTip(), QString("Senden bei Doppelclick"));
  EXPECT_EQ(english.app->SprachForm().windowTitle(), QString("language setting"));
  EXPECT_EQ(english.app->SprachForm().Button1->text(), QString("Show dictionary"));
}

TEST(LanguageWindow, NoTextOfTheRealWindowsIsTranslatedTwice) {
  LangFixture german(false, /*systemIsGerman=*/true, "6083");
  const Dictionary chained = ChainedBuiltInDictionary();
  const TextSlots before = CollectTexts(german.app->Forms());
  gui::TranslateAllForms(chained, german.app->Forms());
  const TextSlots after = CollectTexts(german.app->Forms());

  int translated = 0;
  for (const auto& [where, text] : before) {
    const QString& shown = after.at(where);
    EXPECT_EQ(shown, gui::TranslateQString(chained, text)) << where;
    EXPECT_FALSE(shown.contains("~~")) << where;
    if (shown.contains("~")) ++translated;
  }
  EXPECT_GT(translated, 40);
}

// Qt's own dialogs speak the interface's language: the parameter file dialog's buttons
// and labels in German with German selected, in English with English.
TEST(LanguageWindow, QtDialogsSpeakTheInterfaceLanguage) {
  const std::vector<std::pair<bool, QStringList>> rows = {
      {false, {"Öffnen", "Abbrechen", "Dateiname:"}}, {true, {"Open", "Cancel", "File name:"}}};
  for (const auto& [english, expected] : rows) {
    LangFixture f(english);
    const auto dialog = gui::MakeParameterOpenDialog(&f.app->MainForm(), QString());
    QStringList texts;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      texts << button->text().remove('&');
    }
    for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text().remove('&');
    for (const QString& text : expected)
      EXPECT_TRUE(texts.contains(text))
          << text.toStdString() << " in " << texts.join('|').toStdString();
  }
}

}  // namespace
}  // namespace qel::testing
