#include "gui/pages/IP_Adr_In_Frame.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>

#include "gui/app/text_codec.h"
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
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, [this, k] { Lan_Adr1_InChange(k); });
  }
  // As high as one field: a page's rows stay together however tall the page is drawn.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  // The control's label and the tab order lead to the first octet.
  setFocusProxy(ui_->Lan_Adr1_In);
  PlaceFields();
  CopyFromModel();
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
    const int start = metrics.horizontalAdvance(caption.left(i * kOctetStep));
    octets_[i]->setTextMargins(0, 0, 0, 0);
    octets_[i]->setGeometry(inset + start - kEditTextMargin, inset,
                            octetWidth + 2 * kEditTextMargin + kCaretWidth, height);
    octets_[i]->raise();
  }
  const int width = inset + metrics.horizontalAdvance(caption) + octetWidth + kEditTextMargin +
                    kCaretWidth + inset;
  ui_->Panel1->setFixedSize(width, 2 * inset + height);
}

void TIp_Adr_In_::Bind(IpAdrInModel& model) {
  model_ = &model;
  CopyFromModel();
}

void TIp_Adr_In_::SetOctetNames(const QString& label) {
  for (int k = 1; k <= 4; ++k) {
    octets_[k - 1]->setAccessibleName(label + QLatin1Char(' ') + QString::number(k));
  }
}

void TIp_Adr_In_::CopyToModel() {
  for (int k = 1; k <= 4; ++k) model_->SetOctet(k, ToWin1252(octets_[k - 1]->text()));
}

// The model has applied the change rule already; setting the text runs the change
// handler as any program change does, which then accepts it.
void TIp_Adr_In_::CopyFromModel() {
  for (int k = 1; k <= 4; ++k) {
    const QString text = FromWin1252(model_->Octet(k));
    if (octets_[k - 1]->text() != text) octets_[k - 1]->setText(text);
  }
}

void TIp_Adr_In_::Lan_Adr1_InChange(int k) {
  QLineEdit& field = *octets_[k - 1];
  if (model_->SetOctet(k, ToWin1252(field.text()))) ResetOctetField(field);
}

void TIp_Adr_In_::Lan_Adr1_InExit(int k) {
  model_->ExitOctet(k);
  const QString text = FromWin1252(model_->Octet(k));
  if (octets_[k - 1]->text() != text) octets_[k - 1]->setText(text);
}

void TIp_Adr_In_::ResetOctetField(QLineEdit& field) {
  field.setText(FromWin1252(std::string(IpAdrInModel::kResetText)));
  // From the end back to the start: all selected, the caret at 0.
  field.setSelection(static_cast<int>(IpAdrInModel::kResetText.size()),
                     -static_cast<int>(IpAdrInModel::kResetText.size()));
}

bool TIp_Adr_In_::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (int k = 1; k <= 4; ++k) {
      if (watched == octets_[k - 1]) Lan_Adr1_InExit(k);
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qel::gui
