// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/lang/Sprach_Unit.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "core/lang/translate_text.h"
#include "gui/lang/translate_component.h"

namespace qel::gui {

TSprach_Form::TSprach_Form(Dictionary& dictionary, LanguageState& language,
                           std::span<QWidget* const> formsBefore, QWidget* parent)
    : RunWindow(parent), dictionary_(dictionary), language_(language) {
  setObjectName(QStringLiteral("Sprach_Form"));
  setWindowTitle(QStringLiteral("Sprach Einstellung"));

  auto* layout = new QVBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Button1 = new QPushButton(QString::fromUtf8("Wörterbuch anzeigen"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  layout->addWidget(Memo1);
  layout->addWidget(Button1);
  InitTimer.setObjectName(QStringLiteral("InitTimer"));
  SetTimer.setObjectName(QStringLiteral("SetTimer"));

  FormCreate(formsBefore);
}

void TSprach_Form::FormCreate(std::span<QWidget* const> formsBefore) {
  if (!language_.EnglishSelected) return;
  ActivateTranslation(dictionary_, language_);
  std::vector<QWidget*> forms(formsBefore.begin(), formsBefore.end());
  forms.push_back(this);
  // English texts are longer; each window's fixed size is taken at its first showing,
  // from the translated contents.
  TranslateAllForms(dictionary_, forms);
}

}  // namespace qel::gui
