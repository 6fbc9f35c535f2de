// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/QEL11_Setup_HID_Unit.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QShowEvent>
#include <QTabBar>

#include "core/diag/io_test.h"
#include "core/diag/scpi_transcript.h"
#include "core/lang/translate_text.h"
#include "core/platform/ini_file.h"
#include "gui/app/program_options.h"
#include "gui/common/accessible_texts.h"
#include "gui/common/file_path.h"
#include "gui/common/text_codec.h"
#include "gui/common/window_geometry.h"
#include "gui/pages/parameter_file_dialogs.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::gui {

namespace {

enum TabIndex { kBedienung, kGeraetedaten, kSignale, kIoTest, kSchnittstellen, kScpi, kService };

// A text that holds something besides blanks and control characters.
bool HasVisibleText(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 32) return true;
  }
  return false;
}

}  // namespace

TMainForm::TMainForm(const MainFormRun& run, SettingsLocation settingsPath, bool systemIsGerman,
                     QWidget* parent)
    : QMainWindow(parent),
      session_(run.session),
      link_(run.link),
      language_(run.language),
      settingsPath_(std::move(settingsPath)),
      ui_(std::make_unique<Ui::TMainForm>()) {
  ui_->setupUi(this);
  ReportError = [this](const QString& message) {
    QMessageBox::critical(this, windowTitle(), message);
  };
  SetupMenu();
  SetupTabs();

  // Tab 2's pages. Their captions go through the dictionary once the windows were
  // translated at start (the dictionary and the flags live for the run).
  ui_->Info_Frame1->Bind(session_, [&language = run.language,
                                    &dictionary = run.dictionary](const std::string& caption) {
    return TranslateIfActive(dictionary, language, caption);
  });
  ui_->SCPI_Fehler_Frame1->Bind(session_);

  // Parameter pages: bound to one set of models, read and written all at once.
  pages_ = std::make_unique<MainFormPages>(
      MainFormFrames{
          ui_->EinheitenFrame1,
          {ui_->OutLineFrame1, ui_->OutLineFrame2, ui_->OutLineFrame3, ui_->OutLineFrame4},
          {ui_->InLineFrame1, ui_->InLineFrame2, ui_->InLineFrame3},
          ui_->TastenFrame1,
          ui_->TastenFrame2,
          ui_->LANFrame1,
          ui_->EIA232Frame1,
          ui_->QEL_Display_Frame1},
      session_);
  AskParameterSaveFile = ParameterSaveDialog(this);
  AskParameterOpenFile = ParameterOpenDialog(this);
  ParameterFileInfoNow = [] { return ParameterFileInfoAt(QDateTime::currentDateTime()); };

  // Store group. Its column keeps its width while the group is hidden, so that switching
  // tabs neither widens the page control nor moves the status panels.
  QSizePolicy storePolicy = ui_->Store_GroupBox->sizePolicy();
  storePolicy.setRetainSizeWhenHidden(true);
  ui_->Store_GroupBox->setSizePolicy(storePolicy);
  connect(ui_->Button14, &QPushButton::clicked, this, &TMainForm::Button14Click);
  connect(ui_->Button15, &QPushButton::clicked, this, &TMainForm::Button15Click);
  connect(ui_->Speichern_Button, &QPushButton::clicked, this, &TMainForm::Speichern_ButtonClick);

  statusTimer_.setInterval(1000);
  readEingaengeTimer_.setInterval(500);
  connect(&statusTimer_, &QTimer::timeout, this, &TMainForm::StatusTimerTimer);
  connect(&readEingaengeTimer_, &QTimer::timeout, this, &TMainForm::ReadEingaengeTimerTimer);

  // Both panels stay hidden until the first status tick.
  ui_->StatusPanelVerbunden->setStyleSheet(
      QStringLiteral("background-color: lime; color: black; padding: 3px 8px;"));
  ui_->StatusPanelFehler->setStyleSheet(
      QStringLiteral("background-color: red; color: white; padding: 3px 8px;"));
  ui_->StatusPanelVerbunden->hide();
  ui_->StatusPanelFehler->hide();

  FormCreate(run.firstArgument, systemIsGerman);
  statusTimer_.start();
}

TMainForm::~TMainForm() = default;

void TMainForm::SetupMenu() {
  auto* languages = new QActionGroup(this);
  languages->addAction(ui_->Englisch1);
  languages->addAction(ui_->Deutsch1);
  languages->setExclusive(true);
  connect(ui_->Parameterspeichern1, &QAction::triggered, this,
          &TMainForm::Parameterspeichern1Click);
  connect(ui_->Parameterffnen1, &QAction::triggered, this, &TMainForm::Parameterffnen1Click);
  // Beenden1Click
  connect(ui_->Beenden1, &QAction::triggered, this, &QWidget::close);
  // HIDInterface1Click, SCPITest1Click, Hardcopy1Click, Probe1Click, CalParameter1Click
  const auto show = [](const std::function<void()>& f) {
    if (f) f();
  };
  connect(ui_->HIDInterface1, &QAction::triggered, this, [this, show] { show(ShowUsbHid); });
  connect(ui_->SCPITest1, &QAction::triggered, this, [this, show] { show(ShowScpiTest); });
  connect(ui_->Hardcopy1, &QAction::triggered, this, [this, show] { show(ShowHardcopy); });
  connect(ui_->Probe1, &QAction::triggered, this, [this, show] { show(ShowProbe); });
  connect(ui_->CalParameter1, &QAction::triggered, this, [this, show] { show(ShowCalParameter); });
  // Englisch1Click, Deutsch1Click: the item of the running language does nothing.
  connect(ui_->Englisch1, &QAction::triggered, this, [this] {
    if (!language_.EnglishSelected && SwitchLanguage) SwitchLanguage(true);
  });
  connect(ui_->Deutsch1, &QAction::triggered, this, [this] {
    if (language_.EnglishSelected && SwitchLanguage) SwitchLanguage(false);
  });
}

void TMainForm::SetupTabs() {
  // Every tab caption stays visible: no scroll arrows in the tab bar.
  ui_->PageControl1->tabBar()->setUsesScrollButtons(false);
  connect(ui_->PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    PageControl1Changing();
    PageControl1Change(index);
  });

  // I/O test tab: TestOut1 to TestOut4 share one handler, told apart by their Tags.
  QCheckBox* outputs[] = {ui_->TestOut1, ui_->TestOut2, ui_->TestOut3, ui_->TestOut4};
  for (int n = 1; n <= kTestOutputCount; ++n) {
    connect(outputs[n - 1], &QCheckBox::clicked, this,
            [this, n](bool checked) { TestOut1Click(n, checked); });
  }
  connect(ui_->Button13, &QPushButton::clicked, this, &TMainForm::Button13Click);

  // SCPI line tab
  ui_->SCPIIn->installEventFilter(this);
  ui_->Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ui_->StringGrid->horizontalHeader()->hide();
  ui_->StringGrid->verticalHeader()->hide();
  ui_->StringGrid->horizontalHeader()->setStretchLastSection(true);
  ui_->StringGrid->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed |
                                   QAbstractItemView::SelectedClicked);
  for (int r = 0; r < kScpiLineCount; ++r) {
    ui_->StringGrid->setItem(r, 0, new QTableWidgetItem());
    ui_->StringGrid->setRowHeight(r, ui_->StringGrid->fontMetrics().height() + 4);
  }
  connect(ui_->StringGrid, &QTableWidget::cellDoubleClicked, this,
          [this](int, int) { StringGridDblClick(); });
  connect(ui_->Button2, &QPushButton::clicked, ui_->Memo1, &QPlainTextEdit::clear);
}

// FormCreate: what the window decides at its creation; the instrument is not asked.
void TMainForm::FormCreate(const std::string& firstArgument, bool systemIsGerman) {
  const bool serviceMode = firstArgument == kServiceCode;

  const MainSettings settings = ReadMainSettings(settingsPath_());
  for (int r = 0; r < kScpiLineCount; ++r) {
    ui_->StringGrid->item(r, 0)->setText(FromWin1252(settings.scpiLines[r]));
  }
  const bool english = settings.english.value_or(!systemIsGerman);
  ui_->Englisch1->setChecked(english);
  ui_->Deutsch1->setChecked(!english);
  language_.EnglishSelected = ui_->Englisch1->isChecked();
  SetupServiceMode(serviceMode);
}

// The "Service" tab and the menu items "HID Interface", "Hardcopy", "Probe" and
// "CalParameter" exist in service mode only. Outside it they are not merely hidden but
// gone, so that neither a user nor assistive technology (which also reaches hidden
// controls) can send a service line.
void TMainForm::SetupServiceMode(bool serviceMode) {
  if (serviceMode) {
    serviceTab_ =
        new ServiceTabSheet(session_, link_, *ui_->QEL_Display_Frame1, language_.EnglishSelected);
    ui_->PageControl1->insertTab(kService, serviceTab_, QStringLiteral("Service"));
    return;
  }
  QAction** items[] = {&ui_->HIDInterface1, &ui_->Hardcopy1, &ui_->Probe1, &ui_->CalParameter1};
  for (QAction** item : items) {
    delete *item;  // a deleted action leaves every menu it was in
    *item = nullptr;
  }
}

std::array<std::string, kScpiLineCount> TMainForm::ScpiLines() const {
  std::array<std::string, kScpiLineCount> lines;
  for (int r = 0; r < kScpiLineCount; ++r) {
    const QTableWidgetItem* item = ui_->StringGrid->item(r, 0);
    lines[r] = item != nullptr ? ToWin1252(item->text()) : std::string();
  }
  return lines;
}

// A cell whose editor is still open holds the old text; the typed one is in the editor.
void TMainForm::CommitScpiLineEdit() {
  QTableWidget& grid = *ui_->StringGrid;
  const QModelIndex current = grid.currentIndex();
  QWidget* editor = current.isValid() ? grid.indexWidget(current) : nullptr;
  if (editor == nullptr) return;
  QAbstractItemDelegate* delegate = grid.itemDelegateForIndex(current);
  emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// FormClose: the main window closes (also before a language switch's restart).
void TMainForm::FormClose() {
  CommitScpiLineEdit();
  WriteMainSettings(settingsPath_(), ScpiLines(), ui_->Englisch1->isChecked());
}

// The main window is closed (FormClose). A settings file that cannot be written is reported, and
// the tool closes all the same: keeping the window open would only invite the user to lose the same
// changes again.
void TMainForm::closeEvent(QCloseEvent* event) {
  try {
    FormClose();
  } catch (const IniWriteError& error) {
    ReportError(WriteErrorText(error.Path()));
  }
  event->accept();
}

// The first showing fixes the window's size to its contents, which are translated by now
// and fully laid out (see FixSizeToContents), and centres it on the screen.
void TMainForm::showEvent(QShowEvent* event) {
  if (!placed_ && !event->spontaneous()) {
    FixSizeToContents(*this);
    CentreOnScreen(*this);
    DescribeButtonsWithEqualCaptions(*this);
    placed_ = true;
  }
  QMainWindow::showEvent(event);
}

// Key presses of SCPIIn: Enter goes to SCPIInKeyPress and inserts nothing.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == ui_->SCPIIn) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      SCPIInKeyPress();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// StatusTimer, every second: the panels show the link's Connected flag.
void TMainForm::StatusTimerTimer() {
  const bool connected = link_.Connected();
  ui_->StatusPanelVerbunden->setVisible(connected);
  ui_->StatusPanelFehler->setVisible(!connected);
}

// PageControl1, before any change of tab.
void TMainForm::PageControl1Changing() {
  readEingaengeTimer_.stop();
  ui_->QEL_Display_Frame1->SetRefreshChecked(false);
}

// PageControl1, a tab was shown: runs that tab's show handler.
void TMainForm::PageControl1Change(int index) {
  switch (index) {
    case kBedienung:
    case kSignale:
    case kSchnittstellen:
    case kService:
      BedienungTabSheetShow();
      break;
    case kIoTest:
      TabSheet6Show();
      break;
    default:
      TabSheet2Show();
      break;
  }
}

// Tabs " Bedienung ", " Signal Ausgänge / Eingänge ", the interfaces tab and "Service"
// shown.
void TMainForm::BedienungTabSheetShow() {
  ui_->Store_GroupBox->show();
}

// Tabs " Gerätedaten " and " SCPI Test " shown.
void TMainForm::TabSheet2Show() {
  ui_->Store_GroupBox->hide();
}

// Tab " Signal IO Test " shown: the input polling starts.
void TMainForm::TabSheet6Show() {
  readEingaengeTimer_.start();
  ui_->Store_GroupBox->hide();
}

// TestOut1 to TestOut4 ("Ausgang 1 " to "Ausgang 4 "), clicked.
void TMainForm::TestOut1Click(int tag, bool checked) {
  OutputTest(session_, tag, checked);
}

// Button13 "Test Aus", clicked.
void TMainForm::Button13Click() {
  OutputTestOff(session_);
}

// ReadEingaengeTimer, every 500 ms while the I/O test tab is shown.
void TMainForm::ReadEingaengeTimerTimer() {
  if (const std::optional<InputStates> inputs = PollInputs(session_)) {
    ui_->TestIn1->setChecked((*inputs)[0]);
    ui_->TestIn2->setChecked((*inputs)[1]);
    ui_->TestIn3->setChecked((*inputs)[2]);
  }
}

// SendLine of the SCPI tab: the line and its reply into the transcript Memo1.
void TMainForm::SendLine(const QString& line) {
  ui_->Memo1->appendPlainText(FromWin1252(SendTranscriptLine(session_, ToWin1252(line))));
}

// SCPIIn, Enter pressed.
void TMainForm::SCPIInKeyPress() {
  SendLine(ui_->SCPIIn->text());
}

// StringGrid, double-clicked: the current row, unless it holds only blanks.
void TMainForm::StringGridDblClick() {
  const QTableWidgetItem* item = ui_->StringGrid->currentItem();
  if (item == nullptr) return;
  const QString text = item->text();
  if (HasVisibleText(text)) SendLine(text);
}

// Button14 "Werte aus Gerät lesen ", clicked.
void TMainForm::Button14Click() {
  pages_->ReadAll();
}

// Button15 "Werte ins Gerät schreiben ", clicked.
void TMainForm::Button15Click() {
  pages_->WriteAll();
}

// Menu item "Parameter speichern", chosen.
void TMainForm::Parameterspeichern1Click() {
  const QString path = AskParameterSaveFile ? AskParameterSaveFile() : QString();
  if (path.isEmpty()) return;
  try {
    pages_->SaveParameterFile(path, ParameterFileInfoNow());
  } catch (const IniWriteError& error) {
    ReportError(WriteErrorText(error.Path()));
  }
}

// Menu item "Parameter öffnen", chosen.
void TMainForm::Parameterffnen1Click() {
  const QString path = AskParameterOpenFile ? AskParameterOpenFile() : QString();
  if (!path.isEmpty()) pages_->LoadParameterFile(path);
}

// Speichern_Button "Speichern", clicked: disabled while the instrument is asked to store.
void TMainForm::Speichern_ButtonClick() {
  ui_->Speichern_Button->setEnabled(false);
  ParameterPages::Store(session_);
  ui_->Speichern_Button->setEnabled(true);
}

}  // namespace qel::gui
