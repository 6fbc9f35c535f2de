#pragma once
// Created at start in its place in the window set; hidden until shown from the menu.

#include <QCloseEvent>
#include <QWidget>

#include "gui/app/app_context.h"

namespace qel::gui {

class THardCopyForm : public QWidget {
  Q_OBJECT

 public:
  explicit THardCopyForm(AppContext& context, QWidget* parent = nullptr)
      : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("HardCopyForm"));
    setWindowTitle(QStringLiteral("Hardcopy  -> Clipart"));
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
