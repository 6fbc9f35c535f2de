// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/IP_Adr_In_Frame.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>

#include "gui/pages/page_controls.h"
#include "ui_IP_Adr_In_Frame.h"

namespace qel::gui {

namespace {

// A QLineEdit keeps this many pixels free left and right of its text, and one more on the
// right for the caret, which would otherwise scroll a full field by a pixel.
constexpr int kEditTextMargin = 2;
constexpr int kCaretWidth = 1;
// Characters of one octet with its dot in the caption.
constexpr int kOctetStep = 4;

}  // namespace

TIp_Adr_In_::TIp_Adr_In_(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TIp_Adr_In_>()) {
  ui_->setupUi(this);
  octets_ = {ui_->Lan_Adr1_In, ui_->Lan_Adr2_In, ui_->Lan_Adr3_In, ui_->Lan_Adr4_In};

  const QFont font = MonospacedFont(true);
  ui_->Label1->setFont(font);
  ui_->Panel1->setBackgroundRole(QPalette::Base);
  ui_->Panel1->setAutoFillBackground(true);
  for (int k = 1; k <= 4; ++k) {
    QLineEdit* field = octets_[k - 1];
    field->setFont(font);
    field->setProperty("Tag", k);
    // The panel draws the background, so the caption's dots show beside the fields.
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    field->setPalette(palette);
    SetTypingLimit(*field, kOctetMaxLength);
  }
  // As high as one field: a page's rows stay together however tall the page is drawn.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  // The control's label and the tab order lead to the first octet.
  setFocusProxy(ui_->Lan_Adr1_In);
  PlaceFields();
}

TIp_Adr_In_::~TIp_Adr_In_() = default;

// Each field starts where its octet's blanks start in the caption; the caption's own
// advances are used (not a multiple of one character's), since a character's width is
// rarely a whole number of pixels.
void TIp_Adr_In_::PlaceFields() {
  const QFontMetrics metrics(ui_->Label1->font());
  const QString caption = ui_->Label1->text();
  const int octetWidth = metrics.horizontalAdvance(QStringLiteral("000"));
  const int height = metrics.height() + 2 * kEditTextMargin;
  const int inset = ui_->Panel1->frameWidth() + 3;

  ui_->Label1->setGeometry(inset, inset, metrics.horizontalAdvance(caption), height);
  ui_->Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int i = 0; i < 4; ++i) {
    const int start =
        metrics.horizontalAdvance(caption.left(static_cast<qsizetype>(i) * kOctetStep));
    octets_[i]->setTextMargins(0, 0, 0, 0);
    octets_[i]->setGeometry(inset + start - kEditTextMargin, inset,
                            octetWidth + 2 * kEditTextMargin + kCaretWidth, height);
    octets_[i]->raise();
  }
  const int width = inset + metrics.horizontalAdvance(caption) + octetWidth + kEditTextMargin +
                    kCaretWidth + inset;
  ui_->Panel1->setFixedSize(width, 2 * inset + height);
}

void TIp_Adr_In_::SetOctetNames(const QString& label) {
  for (int k = 1; k <= 4; ++k) {
    octets_[k - 1]->setAccessibleName(label + QLatin1Char(' ') + QString::number(k));
  }
}

}  // namespace qel::gui
