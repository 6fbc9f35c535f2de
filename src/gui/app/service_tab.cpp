// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/service_tab.h"

#include <QFontDatabase>

#include "core/service/service_tab.h"
#include "gui/common/timer_switch.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "gui/pages/page_controls.h"
#include "ui_service_tab.h"

namespace qel::gui {

namespace {

// The two "Lang" and the two "Kurz" buttons differ only by their row (upper key on top,
// lower key at the bottom); a screen reader tells them apart by these descriptions.
struct KeyButtonDescription {
  const char* german;
  const char* english;
};
constexpr KeyButtonDescription kUpperLong{"Obere Taste lang", "Upper key long"};
constexpr KeyButtonDescription kUpperShort{"Obere Taste kurz", "Upper key short"};
constexpr KeyButtonDescription kBoth{"Beide Tasten", "Both keys"};
constexpr KeyButtonDescription kLowerShort{"Untere Taste kurz", "Lower key short"};
constexpr KeyButtonDescription kLowerLong{"Untere Taste lang", "Lower key long"};

}  // namespace

ServiceTabSheet::ServiceTabSheet(ScpiSession& session, const HidLink& link,
                                 TQEL_Display_Frame& display, bool english, QWidget* parent)
    : QWidget(parent),
      session_(session),
      link_(link),
      display_(display),
      ui_(std::make_unique<Ui::ServiceTabSheet>()) {
  ui_->setupUi(this);
  auto& f = *ui_;

  f.TestBereicheComboBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  FillChoiceBox(*f.TestBereicheComboBox, kTestRangeItems);
  f.TestBereicheComboBox->setCurrentIndex(0);
  // TestBereicheComboBoxKeyPress: typing chooses nothing; only choosing an item acts.
  InstallChoiceBoxKeyFilter(*f.TestBereicheComboBox);
  connect(f.TestBereicheComboBox, &QComboBox::activated, this,
          &ServiceTabSheet::TestBereicheComboBoxChange);

  const std::pair<QPushButton*, KeyButtonDescription> keys[] = {{f.Button1, kUpperLong},
                                                                {f.Button9, kUpperShort},
                                                                {f.Button12, kBoth},
                                                                {f.Button10, kLowerShort},
                                                                {f.Button11, kLowerLong}};
  for (const auto& [button, description] : keys) {
    button->setAccessibleDescription(
        QString::fromUtf8(english ? description.english : description.german));
  }
  connect(f.Button1, &QPushButton::clicked, this, &ServiceTabSheet::Button1Click);
  connect(f.Button9, &QPushButton::clicked, this, &ServiceTabSheet::Button9Click);
  connect(f.Button10, &QPushButton::clicked, this, &ServiceTabSheet::Button10Click);
  connect(f.Button11, &QPushButton::clicked, this, &ServiceTabSheet::Button11Click);
  connect(f.Button12, &QPushButton::clicked, this, &ServiceTabSheet::Button12Click);
  connect(f.CheckBox1, &QCheckBox::clicked, this, &ServiceTabSheet::CheckBox1Click);

  timer1_.setInterval(250);
  connect(&timer1_, &QTimer::timeout, this, &ServiceTabSheet::Timer1Timer);
  connect(f.DauerRead, &QCheckBox::toggled, this, [this] { DauerReadClick(); });
}

ServiceTabSheet::~ServiceTabSheet() = default;

// TestBereicheComboBox, an item chosen.
void ServiceTabSheet::TestBereicheComboBoxChange(int position) {
  SelectTestRange(session_, position);
}

// Button1 "Lang" of the upper key, clicked.
void ServiceTabSheet::Button1Click() {
  PressFrontKey(session_, FrontKeyPress::UpperLong);
}

// Button9 "Kurz" of the upper key, clicked.
void ServiceTabSheet::Button9Click() {
  PressFrontKey(session_, FrontKeyPress::UpperShort);
}

// Button10 "Kurz" of the lower key, clicked.
void ServiceTabSheet::Button10Click() {
  PressFrontKey(session_, FrontKeyPress::LowerShort);
}

// Button11 "Lang" of the lower key, clicked.
void ServiceTabSheet::Button11Click() {
  PressFrontKey(session_, FrontKeyPress::LowerLong);
}

// Button12 "Beide", clicked.
void ServiceTabSheet::Button12Click() {
  PressFrontKey(session_, FrontKeyPress::Both);
}

// CheckBox1 beside the keys, clicked.
void ServiceTabSheet::CheckBox1Click(bool checked) {
  SendKeyLock(session_, checked);
}

// DauerRead, checked or unchecked: Timer1 runs exactly while it is checked.
void ServiceTabSheet::DauerReadClick() {
  RunWhileChecked(timer1_, *ui_->DauerRead);
}

// Timer1, every 250 ms while DauerRead is checked: the live display read, which stops
// itself when the link is not connected. It goes on while another tab is shown.
void ServiceTabSheet::Timer1Timer() {
  if (!link_.Connected()) {
    ui_->DauerRead->setChecked(false);
    timer1_.stop();
    return;
  }
  display_.TimedRead(timer1_.interval());
}

}  // namespace qel::gui
