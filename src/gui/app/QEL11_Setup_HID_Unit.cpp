#include "gui/app/QEL11_Setup_HID_Unit.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTabBar>

#include "core/platform/ini_file.h"
#include "gui/app/file_path.h"
#include "gui/app/text_codec.h"
#include "gui/pages/parameter_file_dialogs.h"
#include "ui_QEL11_Setup_HID_Unit.h"

namespace qel::gui {

namespace {

// Test ranges of the service tab; the position is the range number sent.
const char* const kTestBereiche[] = {"  10  T B0", "1000 mT B1", " 600 mT B2", " 300 mT B3",
                                     " 150 mT B4", "  75 mT B5", "  30 mT B6", "  15 mT B7"};

enum TabIndex { kBedienung, kGeraetedaten, kSignale, kIoTest, kSchnittstellen, kScpi, kService };

// A text that holds something besides blanks and control characters.
bool HasVisibleText(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 32) return true;
  }
  return false;
}

}  // namespace

TMainForm::TMainForm(AppContext& context, SettingsLocation settingsPath, bool systemIsGerman,
                     QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      settingsPath_(std::move(settingsPath)),
      ui_(std::make_unique<Ui::TMainForm>()) {
  ui_->setupUi(this);
  ReportError = [this](const QString& message) {
    QMessageBox::critical(this, windowTitle(), message);
  };
  SetupTabs();
  SetupServiceTab();
  // Tab 2's pages reach the instrument through the run's session once it exists.
  ui_->Info_Frame1->Bind(context_);
  ui_->SCPI_Fehler_Frame1->Bind(context_);

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
      context_);
  AskParameterSaveFile = ParameterSaveDialog(this);
  AskParameterOpenFile = ParameterOpenDialog(this);
  ParameterFileInfoNow = [] { return ParameterFileInfoAt(QDateTime::currentDateTime()); };
  connect(ui_->Button14, &QPushButton::clicked, this, &TMainForm::Button14Click);
  connect(ui_->Button15, &QPushButton::clicked, this, &TMainForm::Button15Click);
  connect(ui_->Parameterspeichern1, &QAction::triggered, this,
          &TMainForm::Parameterspeichern1Click);
  connect(ui_->Parameterffnen1, &QAction::triggered, this, &TMainForm::Parameterffnen1Click);

  statusTimer_.setInterval(1000);
  readEingaengeTimer_.setInterval(500);
  timer1_.setInterval(250);
  connect(&statusTimer_, &QTimer::timeout, this, &TMainForm::StatusTimerTimer);
  connect(&readEingaengeTimer_, &QTimer::timeout, this, &TMainForm::ReadEingaengeTimerTimer);
  connect(&timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);

  // Both panels stay hidden until the first status tick.
  ui_->StatusPanelVerbunden->setStyleSheet(
      QStringLiteral("background-color: lime; color: black; padding: 3px 8px;"));
  ui_->StatusPanelFehler->setStyleSheet(
      QStringLiteral("background-color: red; color: white; padding: 3px 8px;"));
  ui_->StatusPanelVerbunden->hide();
  ui_->StatusPanelFehler->hide();

  // Menu
  auto* languages = new QActionGroup(this);
  languages->addAction(ui_->Englisch1);
  languages->addAction(ui_->Deutsch1);
  languages->setExclusive(true);
  connect(ui_->Beenden1, &QAction::triggered, this, &QWidget::close);
  const auto show = [](const std::function<void()>& f) {
    if (f) f();
  };
  connect(ui_->HIDInterface1, &QAction::triggered, this, [this, show] { show(ShowUsbHid); });
  connect(ui_->SCPITest1, &QAction::triggered, this, [this, show] { show(ShowScpiTest); });
  connect(ui_->Hardcopy1, &QAction::triggered, this, [this, show] { show(ShowHardcopy); });
  connect(ui_->Probe1, &QAction::triggered, this, [this, show] { show(ShowProbe); });
  connect(ui_->CalParameter1, &QAction::triggered, this, [this, show] { show(ShowCalParameter); });
  connect(ui_->Englisch1, &QAction::triggered, this, [this] {
    if (!context_.language.EnglishSelected && SwitchLanguage) SwitchLanguage(true);
  });
  connect(ui_->Deutsch1, &QAction::triggered, this, [this] {
    if (context_.language.EnglishSelected && SwitchLanguage) SwitchLanguage(false);
  });

  // Store group. Its column keeps its width while the group is hidden, so that switching
  // tabs neither widens the page control nor moves the status panels.
  QSizePolicy storePolicy = ui_->Store_GroupBox->sizePolicy();
  storePolicy.setRetainSizeWhenHidden(true);
  ui_->Store_GroupBox->setSizePolicy(storePolicy);
  connect(ui_->Speichern_Button, &QPushButton::clicked, this, &TMainForm::Speichern_ButtonClick);

  FormCreate(systemIsGerman);
  statusTimer_.start();
}

TMainForm::~TMainForm() = default;

void TMainForm::SetupTabs() {
  // Every tab caption stays visible: no scroll arrows in the tab bar.
  ui_->PageControl1->tabBar()->setUsesScrollButtons(false);
  connect(ui_->PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    PageControl1Changing();
    TabShown(index);
  });

  // I/O test tab
  QCheckBox* outputs[] = {ui_->TestOut1, ui_->TestOut2, ui_->TestOut3, ui_->TestOut4};
  for (int n = 1; n <= 4; ++n) {
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

void TMainForm::SetupServiceTab() {
  ui_->TestBereicheComboBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  for (const char* item : kTestBereiche) ui_->TestBereicheComboBox->addItem(item);
  ui_->TestBereicheComboBox->setCurrentIndex(0);
  ui_->TestBereicheComboBox->installEventFilter(this);
  connect(ui_->TestBereicheComboBox, &QComboBox::activated, this,
          &TMainForm::TestBereicheComboBoxChange);
  connect(ui_->Button1, &QPushButton::clicked, this, [this] { SendSimple("inte:tol"); });
  connect(ui_->Button9, &QPushButton::clicked, this, [this] { SendSimple("inte:tos"); });
  connect(ui_->Button10, &QPushButton::clicked, this, [this] { SendSimple("inte:tus"); });
  connect(ui_->Button11, &QPushButton::clicked, this, [this] { SendSimple("inte:tul"); });
  connect(ui_->Button12, &QPushButton::clicked, this, [this] { SendSimple("inte:tol;tul"); });
  connect(ui_->CheckBox1, &QCheckBox::clicked, this,
          [this](bool checked) { SendSimple(checked ? "inte:tlok 1" : "inte:tlok 0"); });
  connect(ui_->DauerRead, &QCheckBox::toggled, this, [this] { DauerReadClick(); });
}

void TMainForm::FormCreate(bool systemIsGerman) {
  context_.serviceMode = context_.options.firstArgument == kServiceCode;
  ui_->PageControl1->setTabVisible(kService, context_.serviceMode);
  ui_->HIDInterface1->setVisible(context_.serviceMode);
  ui_->Hardcopy1->setVisible(context_.serviceMode);
  ui_->Probe1->setVisible(context_.serviceMode);
  ui_->CalParameter1->setVisible(context_.serviceMode);

  const MainSettings settings = ReadMainSettings(settingsPath_());
  for (int r = 0; r < kScpiLineCount; ++r) {
    ui_->StringGrid->item(r, 0)->setText(FromWin1252(settings.scpiLines[r]));
  }
  const bool english = settings.english.value_or(!systemIsGerman);
  ui_->Englisch1->setChecked(english);
  ui_->Deutsch1->setChecked(!english);
  context_.language.EnglishSelected = ui_->Englisch1->isChecked();
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

void TMainForm::FormClose() {
  CommitScpiLineEdit();
  WriteMainSettings(settingsPath_(), ScpiLines(), ui_->Englisch1->isChecked());
}

// A settings file that cannot be written is reported, and the tool closes all the same:
// keeping the window open would only invite the user to lose the same changes again.
void TMainForm::closeEvent(QCloseEvent* event) {
  try {
    FormClose();
  } catch (const IniWriteError& error) {
    ReportError(WriteErrorText(error.Path()));
  }
  event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == ui_->SCPIIn && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      SCPIInKeyPress();
      return true;
    }
    // The test range box takes no typed characters; only choosing an item acts.
    if (watched == ui_->TestBereicheComboBox && !key->text().isEmpty()) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::StatusTimerTimer() {
  const bool connected = context_.link != nullptr && context_.link->Connected();
  ui_->StatusPanelVerbunden->setVisible(connected);
  ui_->StatusPanelFehler->setVisible(!connected);
}

void TMainForm::PageControl1Changing() {
  readEingaengeTimer_.stop();
  ui_->QEL_Display_Frame1->SetRefreshChecked(false);
}

void TMainForm::TabShown(int index) {
  currentTab_ = index;
  switch (index) {
    case kBedienung:
    case kSignale:
    case kSchnittstellen:
    case kService:
      ui_->Store_GroupBox->show();
      break;
    case kIoTest:
      readEingaengeTimer_.start();
      ui_->Store_GroupBox->hide();
      break;
    default:
      ui_->Store_GroupBox->hide();
      break;
  }
}

void TMainForm::SendSimple(const char* line) {
  if (context_.session != nullptr) context_.session->ScpiQuery(line);
}

void TMainForm::TestOut1Click(int tag, bool checked) {
  const std::string n = std::to_string(tag);
  SendSimple(("DGIO:OEN" + n + " 1").c_str());
  SendSimple(("DGIO:SET:OUT" + n + ":LOG 0").c_str());
  SendSimple(("DGIO:OUT" + n + " " + (checked ? "1" : "0")).c_str());
}

void TMainForm::Button13Click() {
  for (const char* line : {"DGIO:OEN1 0", "DGIO:OEN2 0", "DGIO:OEN3 0", "DGIO:OEN4 0"})
    SendSimple(line);
}

void TMainForm::ReadEingaengeTimerTimer() {
  if (context_.session == nullptr) return;
  const std::string reply = context_.session->ScpiQuery("DGIO:IN?");
  if (reply.size() != 5) return;
  ui_->TestIn1->setChecked(reply[0] == '1');
  ui_->TestIn2->setChecked(reply[2] == '1');
  ui_->TestIn3->setChecked(reply[4] == '1');
}

void TMainForm::SendLine(const QString& line) {
  std::string reply;
  if (context_.session != nullptr) reply = context_.session->ScpiQuery(ToWin1252(line));
  ui_->Memo1->appendPlainText(reply.empty() ? line : line + " -> " + FromWin1252(reply));
}

void TMainForm::SCPIInKeyPress() {
  SendLine(ui_->SCPIIn->text());
}

void TMainForm::StringGridDblClick() {
  const QTableWidgetItem* item = ui_->StringGrid->currentItem();
  if (item == nullptr) return;
  const QString text = item->text();
  if (HasVisibleText(text)) SendLine(text);
}

void TMainForm::TestBereicheComboBoxChange(int position) {
  SendSimple(("INTE:RANG " + std::to_string(position)).c_str());
}

void TMainForm::Button14Click() {
  pages_->ReadAll();
}

void TMainForm::Button15Click() {
  pages_->WriteAll();
}

void TMainForm::Parameterspeichern1Click() {
  const QString path = AskParameterSaveFile ? AskParameterSaveFile() : QString();
  if (path.isEmpty()) return;
  try {
    pages_->SaveParameterFile(path, ParameterFileInfoNow());
  } catch (const IniWriteError& error) {
    ReportError(WriteErrorText(error.Path()));
  }
}

void TMainForm::Parameterffnen1Click() {
  const QString path = AskParameterOpenFile ? AskParameterOpenFile() : QString();
  if (!path.isEmpty()) pages_->LoadParameterFile(path);
}

void TMainForm::Speichern_ButtonClick() {
  ui_->Speichern_Button->setEnabled(false);
  SendSimple("par:savw?");
  ui_->Speichern_Button->setEnabled(true);
}

void TMainForm::DauerReadClick() {
  if (ui_->DauerRead->isChecked()) {
    timer1_.start();
  } else {
    timer1_.stop();
  }
}

void TMainForm::Timer1Timer() {
  if (context_.link == nullptr || !context_.link->Connected()) {
    ui_->DauerRead->setChecked(false);
    timer1_.stop();
    return;
  }
  ui_->QEL_Display_Frame1->ReadDisplay();
}

}  // namespace qel::gui
