#pragma once
// Created at start in its place in the window set; hidden until shown from the menu.

#include <QCloseEvent>
#include <QWidget>

#include "gui/app/app_context.h"

namespace qel::gui {

class TSCPI_Probe_Service_Form : public QWidget {
  Q_OBJECT

 public:
  explicit TSCPI_Probe_Service_Form(AppContext& context, QWidget* parent = nullptr)
      : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("SCPI_Probe_Service_Form"));
    setWindowTitle(QStringLiteral("TOV09 / QEL11 Probe Parameter Service (SCPI)"));
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    hide();
    event->ignore();
  }

 private:
  AppContext& context_;
};

}  // namespace qel::gui
