#include "../common/PaintCounter.h"

#include <velloro/viewerui/EditableFrameRateChooser.h>
#include <velloro/viewerui/FPSControlWidget.h>
#include <velloro/viewerui/FPSLabel.h>

#include <QSignalSpy>

#include <gtest/gtest.h>

using Tessel::Base::TimeBase;
using Velloro::ViewerUI::FPSControlWidget;

namespace {

bool ShowsWarning(const FPSControlWidget& control) {
  return control.label()->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

} // namespace

TEST(FPSControlWidget, ShowsTheAchievedRateAgainstTheDesiredOne) {
  FPSControlWidget control;
  control.setDisplayedFPSAndSpeed(23.9f, 1);
  EXPECT_EQ(control.currentIndex(), 1);
  EXPECT_EQ(control.label()->text(), "24 fps");
  EXPECT_FALSE(ShowsWarning(control));
  control.setDisplayedFPSAndSpeed(20.04f, 1);
  EXPECT_EQ(control.label()->text(), "20.0 fps");
  EXPECT_TRUE(ShowsWarning(control));
  control.setDisplayedFPSAndSpeed(24, 2);
  EXPECT_EQ(control.label()->text(), "24 fps x2");
  EXPECT_FALSE(ShowsWarning(control));
  control.setDisplayedFPSAndSpeed(20.04f, 0);
  EXPECT_EQ(control.currentIndex(), 0);

  control.setTargetFrameRate(TimeBase(24000, 1001));
  control.setDisplayedFPSAndSpeed(23.95f, 1);
  EXPECT_EQ(control.label()->text(), "23.98 fps");

  // Achieving 25 while 24 is wanted warns; wanting 25 afterwards must clear the warning.
  control.setDisplayedFPSAndSpeed(25, 1);
  control.setTargetFrameRate(TimeBase(25, 1));
  control.setDisplayedFPSAndSpeed(25, 1);
  EXPECT_EQ(control.label()->text(), "25 fps");
  EXPECT_FALSE(ShowsWarning(control));
}

TEST(FPSControlWidget, RepeatedFiguresDoNotRedrawTheLabel) {
  FPSControlWidget control;
  control.show();
  control.setDisplayedFPSAndSpeed(24, 1);
  QCoreApplication::processEvents();
  PaintCounter counter;
  control.label()->installEventFilter(&counter);
  control.setDisplayedFPSAndSpeed(24.1f, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);
  control.setDisplayedFPSAndSpeed(24.1f, 0.5f);
  QCoreApplication::processEvents();
  EXPECT_EQ(control.label()->text(), "24 fps x0.5");
  EXPECT_EQ(counter.paints, 1);
}

TEST(FPSControlWidget, FollowsTheDefaultOnlyWhenOnIt) {
  FPSControlWidget control;
  QSignalSpy targets(&control, &FPSControlWidget::targetFrameRateChanged);
  QSignalSpy rates(&control, &FPSControlWidget::fpsChanged);
  control.setDefaultRate(TimeBase(25, 1));
  EXPECT_EQ(control.chooser()->itemText(7), "25*");
  EXPECT_EQ(control.getRate(), 25.0f);
  ASSERT_EQ(targets.count(), 1);
  EXPECT_EQ(targets.at(0).at(0).value<TimeBase>(), TimeBase(25, 1));
  EXPECT_EQ(rates.count(), 1);

  control.setTargetFrameRate(TimeBase(30, 1));
  control.setDefaultRate(TimeBase(24, 1));
  EXPECT_EQ(control.chooser()->itemText(6), "24*");
  EXPECT_EQ(control.getRate(), 30.0f);

  targets.clear();
  rates.clear();
  control.syncTargetFrameRate(TimeBase(50, 1));
  EXPECT_EQ(targets.count(), 0);
  ASSERT_EQ(rates.count(), 1);
  EXPECT_EQ(rates.at(0).at(0).toFloat(), 50.0f);
}
