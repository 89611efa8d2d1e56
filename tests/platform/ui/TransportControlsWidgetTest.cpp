#include <TesselUI/Button.h>
#include <TesselUI/TimeField.h>
#include <TesselUI/TimeFormatChooser.h>
#include <TesselUI/TransportControlsWidget.h>
#include <TesselUI/ViewerFrameSkipControl.h>

#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace Tessel::UI;
using Tessel::Base::Time;

TEST(TransportControlsWidget, EachButtonItsSignalAndPlayTurnsIntoStop) {
  TransportControlsWidget transport;
  transport.show();
  const std::pair<const char*, void (TransportControlsWidget::*)()> buttons[] = {
      {"jumpToBeginning", &TransportControlsWidget::jumpToBeginningButtonClicked},
      {"jumpBackwards", &TransportControlsWidget::jumpBackwardsButtonClicked},
      {"frameBackwards", &TransportControlsWidget::frameBackwardsButtonClicked},
      {"playBackwards", &TransportControlsWidget::playBackwardsButtonClicked},
      {"playForwards", &TransportControlsWidget::playForwardsButtonClicked},
      {"frameForwards", &TransportControlsWidget::frameForwardsButtonClicked},
      {"jumpForward", &TransportControlsWidget::jumpForwardButtonClicked},
      {"jumpToEnd", &TransportControlsWidget::jumpToEndButtonClicked},
  };
  QSignalSpy stops(&transport, &TransportControlsWidget::stop);
  for (const auto& [name, signal] : buttons) {
    auto* button = transport.findChild<Button*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_FALSE(button->icon().isNull()) << name;
    QSignalSpy spy(&transport, signal);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1) << name;
  }
  EXPECT_EQ(stops.count(), 0);

  transport.playbackStateChanged(ePlayingForwards);
  QSignalSpy forwards(&transport, &TransportControlsWidget::playForwardsButtonClicked);
  QSignalSpy backwards(&transport, &TransportControlsWidget::playBackwardsButtonClicked);
  QTest::mouseClick(transport.findChild<Button*>("playForwards"), Qt::LeftButton);
  EXPECT_EQ(stops.count(), 1);
  EXPECT_EQ(forwards.count(), 0);
  // The other direction still starts playing that way.
  QTest::mouseClick(transport.findChild<Button*>("playBackwards"), Qt::LeftButton);
  EXPECT_EQ(backwards.count(), 1);

  transport.setMode(TransportControlsWidget::eCompact);
  EXPECT_FALSE(transport.findChild<Button*>("jumpToEnd")->isVisible());
  EXPECT_TRUE(transport.findChild<Button*>("frameForwards")->isVisible());
}

TEST(TransportControlsWidget, TimecodeFieldSetsTimeAndRange) {
  TransportControlsWidget transport;
  transport.show();
  QSignalSpy times(&transport, &TransportControlsWidget::timeChanged);
  QSignalSpy ranges(&transport, &TransportControlsWidget::rangeSet);
  transport.setCurrentTime(12);
  EXPECT_EQ(times.count(), 0);
  TimeField* field = transport.timecodeWidget();
  EXPECT_EQ(field->text(), "12");

  transport.setTimecodeWidgetEnabled(false);
  transport.setFocusToTimecodeWidget();
  EXPECT_FALSE(field->hasFocus());
  transport.setTimecodeWidgetEnabled(true);
  transport.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&transport));
  transport.setFocusToTimecodeWidget();
  EXPECT_TRUE(field->hasFocus());
  QTest::keyClicks(field, "-4"); // the field accepts frames before zero
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(times.count(), 1);
  EXPECT_EQ(times.last().at(0).value<Time>(), -4);
  field->selectAll();
  QTest::keyClicks(field, "5..9");
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(ranges.count(), 1);
  EXPECT_EQ(ranges.last().at(1).value<Time>(), 9);

  TimeFormatter formatter;
  TimeFormatChooser chooser(&formatter, 0);
  transport.connectTimecodeWidgetToFormatChooser(&chooser);
  chooser.showTimecode();
  EXPECT_EQ(field->text(), "-00:00:00:04");
}

TEST(ViewerFrameSkipControl, ButtonsAndIncrement) {
  ViewerFrameSkipControl skip;
  skip.show();
  QSignalSpy back(&skip, &ViewerFrameSkipControl::skipBackwardsButtonClicked);
  QSignalSpy forward(&skip, &ViewerFrameSkipControl::skipForwardsButtonClicked);
  QSignalSpy increments(&skip, &ViewerFrameSkipControl::incrementFieldValueChanged);
  QTest::mouseClick(skip.findChild<Button*>("skipBackwards"), Qt::LeftButton);
  QTest::mouseClick(skip.findChild<Button*>("skipForwards"), Qt::LeftButton);
  EXPECT_EQ(back.count(), 1);
  EXPECT_EQ(forward.count(), 1);

  skip.frameIncrementChanged(24);
  EXPECT_EQ(skip.frameIncrement(), 24);
  EXPECT_EQ(increments.count(), 0);
  skip.incrementField()->selectAll();
  QTest::keyClicks(skip.incrementField(), "5");
  EXPECT_EQ(increments.count(), 1);
  EXPECT_EQ(increments.last().at(0).toInt(), 5);
}
