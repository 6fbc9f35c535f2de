#pragma once
// Created at start in its place in the window set; hidden until shown from the menu.

#include <QCloseEvent>
#include <QWidget>

#include "gui/app/app_context.h"

namespace qel::gui {

class TSprach_Form : public QWidget {
  Q_OBJECT

 public:
  explicit TSprach_Form(AppContext& context, QWidget* parent = nullptr)
      : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("Sprach_Form"));
    setWindowTitle(QStringLiteral("Sprach Einstellung"));
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
