#include <TesselUI/TimeField.h>
#include <TesselUI/TimeFormatChooser.h>
#include <TesselUI/TimeFormatter.h>
#include <TesselUI/TimeSlider.h>
#include <TesselUI/TimeSliderModel.h>

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Tessel::UI;
using Tessel::Base::kInvalidTime;
using Tessel::Base::Time;
using Flags = TimeSliderModel::TimeFlags;

namespace {

Flags LastFlags(const QSignalSpy& spy) {
  return spy.last().at(0).value<Flags>();
}

} // namespace

TEST(TimeSliderModel, InOutPointsLockAndFlags) {
  TimeSliderModel model;
  model.setRange(1, 100);
  QSignalSpy spy(&model, &TimeSliderModel::timeChanged);

  model.setCurrentTime(10);
  EXPECT_EQ(LastFlags(spy), Flags(TimeSliderModel::CurrentTimeChanged));
  model.markIn();
  EXPECT_EQ(model.inTime(), 10);
  EXPECT_EQ(LastFlags(spy), TimeSliderModel::InTimeChanged | TimeSliderModel::InMarkerChanged);
  model.setCurrentTime(40);
  model.markOut();
  EXPECT_EQ(LastFlags(spy), TimeSliderModel::OutTimeChanged | TimeSliderModel::OutMarkerChanged);

  // Unlocked, playback spans the whole range; locked, the in/out range.
  EXPECT_EQ(model.inOutDuration(), 100);
  model.enableInOutLock(true);
  EXPECT_EQ(LastFlags(spy), TimeSliderModel::InTimeChanged | TimeSliderModel::OutTimeChanged);
  EXPECT_EQ(model.playbackStartTime(), 10);
  EXPECT_EQ(model.playbackEndTime(), 40);
  EXPECT_EQ(model.inOutDuration(), 31);

  // Moving a set point carries no marker bit; an in point cannot pass the out point.
  model.setInTime(60, true);
  EXPECT_EQ(model.inTime(), 40);
  EXPECT_EQ(LastFlags(spy), Flags(TimeSliderModel::InTimeChanged));
  const int before = static_cast<int>(spy.count());
  model.setInTime(40, true);
  model.setOutTime(50, false);
  EXPECT_EQ(spy.count(), before);
  EXPECT_EQ(model.outTime(), 50);

  // Marking at the point already there clears it.
  model.setCurrentTime(50);
  model.markOut();
  EXPECT_FALSE(model.hasOutTime());
  EXPECT_EQ(model.playbackEndTime(), 100);
  model.clearIn();
  EXPECT_EQ(model.inTime(), kInvalidTime);
  EXPECT_EQ(LastFlags(spy), TimeSliderModel::InTimeChanged | TimeSliderModel::InMarkerChanged);

  // A narrower range pulls the current frame in.
  model.setRange(1, 20);
  EXPECT_EQ(model.currentTime(), 20);
  EXPECT_EQ(LastFlags(spy), TimeSliderModel::EndTimeChanged | TimeSliderModel::CurrentTimeChanged);
}

TEST(TimeFormatter, FramesAndTimecodeBothWays) {
  TimeFormatter formatter;
  QSignalSpy spy(&formatter, &TimeFormatter::formatChanged);
  EXPECT_EQ(formatter.toString(1001), "1001");
  formatter.setFormat(TimeFormatter::Timecode);
  EXPECT_EQ(spy.count(), 1);
  formatter.setTimeBase(Tessel::Base::TimeBase(25, 1));
  EXPECT_EQ(formatter.toString(25 * 3661 + 7), "01:01:01:07");
  EXPECT_EQ(formatter.toString(-26), "-00:00:01:01");
  EXPECT_EQ(formatter.toString(0, 90000), "01:00:00:00");
  EXPECT_EQ(formatter.fromString("01:01:01:07"), 25 * 3661 + 7);
  EXPECT_EQ(formatter.fromString("1:05"), 30);
  EXPECT_EQ(formatter.fromString("01:00:00:00", 90000), 0);
  EXPECT_EQ(formatter.fromString(" 42 "), 42);
  EXPECT_EQ(formatter.fromString("abc"), kInvalidTime);
  // NTSC rates count timecode at the whole rate.
  formatter.setTimeBase(Tessel::Base::TimeBase(30000, 1001));
  EXPECT_EQ(formatter.framesPerSecond(), 30);
}

TEST(TimeField, TypingTimesRangesAndSteps) {
  TimeField field(false, false);
  field.setMinTime(1);
  field.setMaxTime(100);
  field.setTime(5, false);
  QSignalSpy times(&field, &TimeField::timeChanged);
  QSignalSpy ranges(&field, &TimeField::rangeChanged);
  const auto enter = [&field](const char* text) {
    field.selectAll();
    QTest::keyClicks(&field, text);
    QTest::keyClick(&field, Qt::Key_Return);
  };

  enter("250");
  ASSERT_EQ(times.count(), 1);
  EXPECT_EQ(times.last().at(0).value<Time>(), 100); // kept within the maximum
  EXPECT_EQ(field.text(), "100");

  enter("10-20");
  ASSERT_EQ(ranges.count(), 1);
  EXPECT_EQ(ranges.last().at(0).value<Time>(), 10);
  EXPECT_EQ(ranges.last().at(1).value<Time>(), 20);
  EXPECT_EQ(field.time(), 100);

  // Text that reads as no time puts back the time shown; a negative frame is refused here.
  for (const char* text : {"soon", "-3"}) {
    enter(text);
    EXPECT_EQ(field.text(), "100");
  }
  EXPECT_EQ(times.count(), 1);

  QTest::keyClick(&field, Qt::Key_Down);
  EXPECT_EQ(field.time(), 99);
  EXPECT_EQ(times.count(), 2);

  field.setReadOnly(true);
  QTest::keyClick(&field, Qt::Key_Down);
  EXPECT_EQ(field.time(), 99);
}

TEST(TimeFormatChooser, SwitchesEveryRegisteredField) {
  TimeFormatter formatter;
  formatter.setTimeBase(Tessel::Base::TimeBase(24, 1));
  TimeFormatChooser chooser(&formatter, 1);
  TimeField time(false, false);
  TimeField duration(false, true);
  chooser.addTimeField(&time);
  chooser.addTimeField(&duration);
  time.setTime(48, false);
  duration.setTime(48, false);

  chooser.showTimecode();
  EXPECT_EQ(formatter.format(), TimeFormatter::Timecode);
  EXPECT_EQ(time.text(), "00:00:02:00");
  // A clip whose first frame 1001 reads 01:00:00:00; durations still count from zero.
  chooser.setTimeDisplay(true, true, 24 * 3600, 1001);
  time.setTime(1001, false);
  EXPECT_EQ(time.text(), "01:00:00:00");
  EXPECT_EQ(duration.text(), "00:00:02:00");
  chooser.showFrames();
  EXPECT_EQ(time.text(), "1001");
}

class TimeSliderTest : public ::testing::Test {
protected:
  void SetUp() override {
    model.setRange(1, 101);
    slider.resize(416, 30); // 400 pixels of ruler: 4 pixels a frame over the whole range
    slider.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));
  }
  QPoint at(Time time) const {
    return QPoint(static_cast<int>(std::lround(slider.positionOfTime(time))), 25);
  }

  TimeSliderModel model;
  TimeFormatter formatter;
  TimeSlider slider{&model, &formatter, 0};
};

TEST_F(TimeSliderTest, DraggingThePlayheadOrAnInHandle) {
  model.setInTime(11, true);
  model.setOutTime(81, true);
  QSignalSpy begin(&slider, &TimeSlider::beginTimeDrag);
  QSignalSpy end(&slider, &TimeSlider::endTimeDrag);
  QSignalSpy seeks(&slider, &TimeSlider::seekVideoFrame);
  QSignalSpy following(&slider, &TimeSlider::setDoUpdateTime);
  std::vector<Time> dragged;
  QObject::connect(&slider, &TimeSlider::updateTimeDrag, [&](const Time* time) { dragged.push_back(*time); });

  QTest::mousePress(&slider, Qt::LeftButton, {}, at(21));
  EXPECT_EQ(model.currentTime(), 21);
  ASSERT_EQ(begin.count(), 1);
  EXPECT_EQ(begin.last().at(0).value<TimeSlider::HandleType>(), TimeSlider::PlayheadHandle);
  QTest::mouseMove(&slider, at(31));
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, at(31));
  EXPECT_EQ(model.currentTime(), 31);
  EXPECT_EQ(dragged, std::vector<Time>{31});
  EXPECT_EQ(end.count(), 1);
  ASSERT_EQ(following.count(), 2);
  EXPECT_FALSE(following.first().at(0).toBool());
  EXPECT_TRUE(following.last().at(0).toBool());
  EXPECT_EQ(seeks.last().at(0).value<Time>(), 31);
  EXPECT_FALSE(seeks.last().at(1).toBool());

  // On the in handle the drag moves the in point and the playhead stays.
  QTest::mousePress(&slider, Qt::LeftButton, {}, at(11));
  ASSERT_EQ(begin.count(), 2);
  EXPECT_EQ(begin.last().at(0).value<TimeSlider::HandleType>(), TimeSlider::InHandle);
  QTest::mouseMove(&slider, at(41));
  QTest::mouseRelease(&slider, Qt::LeftButton, {}, at(41));
  EXPECT_EQ(model.inTime(), 41);
  EXPECT_EQ(model.currentTime(), 31);
  // Above the handle band a click moves the playhead instead.
  EXPECT_EQ(slider.handleAt(at(81) - QPoint(0, 20)), TimeSlider::PlayheadHandle);
}

TEST_F(TimeSliderTest, WheelZoomPanAndClicks) {
  slider.zoomToFit();
  EXPECT_EQ(slider.firstVisibleTime(), 1);
  EXPECT_EQ(slider.lastVisibleTime(), 101);
  QSignalSpy zoomed(&slider, &TimeSlider::zoomOrPanChanged);
  QSignalSpy ranges(&slider, &TimeSlider::rangeChanged);
  QSignalSpy clicks(&slider, &TimeSlider::rightOrMidClicked);

  QWheelEvent wheel(QPointF(at(51)), slider.mapToGlobal(QPointF(at(51))), {}, QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&slider, &wheel);
  EXPECT_EQ(zoomed.count(), 1);
  ASSERT_EQ(ranges.count(), 1);
  const Time first = ranges.last().at(0).value<Time>();
  const Time last = ranges.last().at(1).value<Time>();
  EXPECT_GT(first, 1);
  EXPECT_LT(last, 101);
  EXPECT_NEAR((first + last) / 2.0, 51, 1); // zoomed around the cursor

  // A middle drag pans to later frames when dragged to the left.
  QTest::mousePress(&slider, Qt::MiddleButton, {}, at(51));
  QTest::mouseMove(&slider, at(51) - QPoint(40, 0));
  QTest::mouseRelease(&slider, Qt::MiddleButton, {}, at(51) - QPoint(40, 0));
  EXPECT_EQ(zoomed.count(), 2);
  EXPECT_GT(slider.firstVisibleTime(), first);
  EXPECT_EQ(clicks.count(), 0);

  QTest::mouseClick(&slider, Qt::RightButton, {}, at(51));
  QTest::mouseClick(&slider, Qt::MiddleButton, {}, at(51));
  EXPECT_EQ(clicks.count(), 2);

  // Fitting by program reports the range but is no user zoom.
  model.setInTime(20, true);
  model.setOutTime(30, true);
  slider.zoomToFitInOut();
  EXPECT_EQ(slider.firstVisibleTime(), 20);
  EXPECT_EQ(slider.lastVisibleTime(), 30);
  slider.setTimeRange(70, 60);
  EXPECT_EQ(slider.firstVisibleTime(), 60);
  EXPECT_EQ(slider.lastVisibleTime(), 70);
  EXPECT_EQ(zoomed.count(), 2);
  EXPECT_EQ(ranges.last().at(0).value<Time>(), 60);
}
