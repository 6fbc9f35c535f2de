// The diagnostics and service windows in English: their fixed size follows their laid-out
// contents after the translation at start, so no English caption is cut.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>

#include "../app/app_fixture.h"

namespace qel::testing {
namespace {

QString CaptionOf(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
  return {};
}

TEST(ServiceWindows, EnglishCaptionsAreNotCutAndTheSizeIsFixed) {
  AppFixture fx("6083", /*systemIsGerman=*/false);
  const std::vector<QWidget*> forms = fx.app->Forms();
  // hardcopy, probe service, internal settings, error read-out
  for (QWidget* window : {forms[3], forms[4], forms[5], forms[6]}) {
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << window->objectName().toStdString();
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      const QString caption = CaptionOf(*widget);
      if (!widget->isVisible() ||
          std::none_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetter(); }))
        continue;
      QSize need = widget->minimumSizeHint();
      if (!need.isValid()) need = widget->sizeHint();
      EXPECT_GE(widget->width(), need.width())
          << window->objectName().toStdString() << "/" << widget->objectName().toStdString()
          << " \"" << caption.toStdString() << "\"";
    }
    window->hide();
  }
}

}  // namespace
}  // namespace qel::testing
