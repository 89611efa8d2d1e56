#include <velloro/viewerui/ViewerFrameRangeChoice.h>

#include <TesselUI/TimeSlider.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using Tessel::UI::TimeFormatter;
using Tessel::UI::TimeSlider;
using Tessel::UI::TimeSliderModel;
using namespace Velloro::ViewerUI;

namespace {

struct TimeLine {
  TimeLine() {
    model.setRange(1, 100);
    model.setInTime(20, true);
    model.setOutTime(60, true);
    slider->resize(600, 40);
    slider->show();
    slider->zoomToFit();
    choice.setTimeSlider(slider.get());
  }

  void zoomIn() {
    QWheelEvent wheel(QPointF(300, 10), slider->mapToGlobal(QPointF(300, 10)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider.get(), &wheel);
  }
  std::pair<qint64, qint64> span() const { return {slider->firstVisibleTime(), slider->lastVisibleTime()}; }

  TimeSliderModel model;
  TimeFormatter formatter;
  std::unique_ptr<TimeSlider> slider = std::make_unique<TimeSlider>(&model, &formatter, 0);
  ViewerFrameRangeChoice choice;
};

} // namespace

TEST(ViewerFrameRangeChoice, VisibleKeepsTheZoomedRangeAcrossRightClicks) {
  TimeLine line;
  QSignalSpy modes(&line.choice, &ViewerFrameRangeChoice::frameModeChanged);
  line.slider->setTimeRange(30, 50);
  line.choice.setCurrentIndex(Visible);
  EXPECT_EQ(line.span(), std::make_pair(qint64(30), qint64(50)));
  ASSERT_EQ(modes.count(), 1);
  EXPECT_EQ(modes.at(0).at(0).value<FrameMode>(), Visible);
  EXPECT_EQ(line.choice.itemText(Visible), "Visible");

  line.choice.setCurrentIndex(InOut);
  EXPECT_EQ(line.span(), std::make_pair(qint64(20), qint64(60)));
  line.zoomIn();
  EXPECT_EQ(line.choice.mode(), Visible);
  const auto zoomed = line.span();
  EXPECT_GT(zoomed.first, 20);
  QTest::mouseClick(line.slider.get(), Qt::RightButton, {}, QPoint(300, 10));
  EXPECT_EQ(line.choice.mode(), InOut);
  EXPECT_EQ(line.span(), std::make_pair(qint64(20), qint64(60)));
  QTest::mouseClick(line.slider.get(), Qt::RightButton, {}, QPoint(300, 10));
  EXPECT_EQ(line.choice.mode(), Visible);
  EXPECT_EQ(line.span(), zoomed);

  line.choice.setCurrentIndex(Global);
  EXPECT_EQ(line.span(), std::make_pair(qint64(1), qint64(100)));
  line.model.setRange(1, 200);
  EXPECT_EQ(line.span().second, 200);
}

TEST(ViewerFrameRangeChoice, DraggingAnInOutHandleFitsTheSliderOnlyOnRelease) {
  TimeLine line;
  line.choice.setCurrentIndex(InOut);
  const QPoint inHandle(qRound(line.slider->positionOfTime(20)), 30);
  const QPoint target(qRound(line.slider->positionOfTime(10)), 30);
  QTest::mousePress(line.slider.get(), Qt::LeftButton, {}, inHandle);
  QMouseEvent move(QEvent::MouseMove, target, line.slider->mapToGlobal(target), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(line.slider.get(), &move);
  ASSERT_EQ(line.model.inTime(), 10);
  EXPECT_EQ(line.span().first, 20);
  QTest::mouseRelease(line.slider.get(), Qt::LeftButton, {}, target);
  EXPECT_EQ(line.span(), std::make_pair(qint64(10), qint64(60)));
}

TEST(ViewerFrameRangeChoice, ForgetsASliderThatIsReplacedOrDeleted) {
  TimeLine line;
  line.choice.setCurrentIndex(InOut);
  line.choice.setTimeSlider(nullptr);
  line.zoomIn();
  line.model.setInTime(30, true);
  EXPECT_EQ(line.choice.mode(), InOut);
  EXPECT_GT(line.span().first, 20);

  line.choice.setTimeSlider(line.slider.get());
  line.slider.reset();
  line.model.setInTime(40, true);
  QSignalSpy modes(&line.choice, &ViewerFrameRangeChoice::frameModeChanged);
  line.choice.setCurrentIndex(Visible);
  EXPECT_EQ(modes.count(), 1);
}
