// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/diag/QEL_Info_Frame_Unit.h"

#include <QFontMetrics>
#include <QHeaderView>

#include "gui/common/text_codec.h"
#include "ui_QEL_Info_Frame_Unit.h"

namespace qel::gui {

TInfo_Frame::TInfo_Frame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TInfo_Frame>()) {
  ui_->setupUi(this);
  QHeaderView* rows = ui_->StringGrid->verticalHeader();
  rows->setMinimumSectionSize(kInfoGridRowHeight);
  rows->setDefaultSectionSize(kInfoGridRowHeight);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  // Without scroll bars all twelve rows have to fit.
  const int frame = 2 * ui_->StringGrid->frameWidth();
  ui_->StringGrid->setMinimumHeight(kDeviceInfoRowCount * kInfoGridRowHeight + frame);
  connect(ui_->Read, &QPushButton::clicked, this, &TInfo_Frame::ReadClick);
}

TInfo_Frame::~TInfo_Frame() = default;

void TInfo_Frame::Bind(ScpiSession& session, CaptionTranslator translate) {
  BindSession(session);
  translate_ = std::move(translate);
}

void TInfo_Frame::ReadClick() {
  ReadDeviceInfo();
}

void TInfo_Frame::ReadDeviceInfo() {
  WithSession([this](ScpiSession& session) {
    DeviceInfo info(translate_);
    info.ReadDeviceInfo(session);
    ShowRows(info);
  });
}

void TInfo_Frame::ShowRows(const DeviceInfo& info) {
  QTableWidget& grid = *ui_->StringGrid;
  const auto& rows = info.Rows();
  grid.clearContents();
  grid.setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < grid.rowCount(); ++r) {
    grid.setItem(r, 0, new QTableWidgetItem(FromWin1252(rows[r].caption)));
    grid.setItem(r, 1, new QTableWidgetItem(FromWin1252(rows[r].value)));
  }
  const QFontMetrics metrics(grid.font());
  const auto widths = info.ColumnWidths(
      [&metrics](const std::string& text) { return metrics.horizontalAdvance(FromWin1252(text)); });
  grid.setColumnWidth(0, widths[0]);
  grid.setColumnWidth(1, widths[1]);
}

}  // namespace qel::gui
