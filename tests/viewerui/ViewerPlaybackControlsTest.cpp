#include <velloro/viewerui/FPSControlWidget.h>
#include <velloro/viewerui/ViewerInOutButton.h>
#include <velloro/viewerui/ViewerPlaybackControls.h>

#include <TesselUI/Button.h>
#include <TesselUI/TimeFormatChooser.h>

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Tessel::UI;
using Velloro::ViewerUI::ViewerInOutButton;
using Velloro::ViewerUI::ViewerPlaybackControls;

namespace {

struct Panel {
  Panel() {
    model.setRange(1, 100);
    panel = new ViewerPlaybackControls(&model, 0);
    panel->resize(1100, 80);
    panel->show();
    transport = panel->findChild<TransportControlsWidget*>();
  }
  ~Panel() { delete panel; }

  TimeField* field(const QString& toolTip) const {
    for (TimeField* field : panel->findChildren<TimeField*>()) {
      if (field->toolTip() == toolTip) {
        return field;
      }
    }
    return nullptr;
  }
  ChoiceButton* loopChooser() const {
    for (ChoiceButton* chooser : panel->findChildren<ChoiceButton*>()) {
      if (chooser->itemText(1) == "Bounce") {
        return chooser;
      }
    }
    return nullptr;
  }

  TimeSliderModel model;
  ViewerPlaybackControls* panel;
  TransportControlsWidget* transport;
};

const QString kInTip = "The in point of the clip/sequence.";
const QString kOutTip = "The out point of the clip/sequence.";
const QString kDurationTip = "The duration of the clip/sequence.";

} // namespace

TEST(ViewerPlaybackControls, StartsWithTheTimeControlsDisabledUntilEnabled) {
  Panel panel;
  TimeFormatChooser* format = panel.panel->findChild<TimeFormatChooser*>();
  const QList<QWidget*> controls = {panel.field(kInTip), panel.field(kOutTip), panel.field(kDurationTip),
                                    format, panel.transport->timecodeWidget()};
  for (QWidget* control : controls) {
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
  }
  panel.panel->enableControls(true);
  for (QWidget* control : controls) {
    EXPECT_TRUE(control->isEnabled()) << control->metaObject()->className();
  }
}

TEST(ViewerPlaybackControls, FollowsTheModelAndRelaysTheWidgets) {
  Panel panel;
  QSignalSpy inOut(panel.panel, &ViewerPlaybackControls::inOutTimesModified);
  panel.model.setCurrentTime(42);
  EXPECT_EQ(panel.transport->currentTime(), 42);
  EXPECT_EQ(inOut.count(), 0);
  panel.model.setInTime(21, true);
  EXPECT_EQ(inOut.count(), 1);
  EXPECT_EQ(panel.field(kDurationTip)->time(), 100);
  panel.model.enableInOutLock(true);
  EXPECT_EQ(panel.field(kDurationTip)->time(), 80);

  // The in button marks the current frame; a right click only clears it.
  auto buttons = panel.panel->findChildren<ViewerInOutButton*>();
  ASSERT_EQ(buttons.size(), 2);
  ViewerInOutButton* inButton = buttons[0]->text() == "I" ? buttons[0] : buttons[1];
  QTest::mouseClick(inButton, Qt::LeftButton);
  EXPECT_EQ(panel.model.inTime(), 42);
  QTest::mouseClick(inButton, Qt::RightButton);
  EXPECT_FALSE(panel.model.hasInTime());

  QSignalSpy stops(panel.panel, &ViewerPlaybackControls::stopPlayingButtonClicked);
  QSignalSpy plays(panel.panel, &ViewerPlaybackControls::playForwardsButtonClicked);
  auto* play = panel.transport->findChild<Button*>("playForwards");
  ASSERT_NE(play, nullptr);
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(plays.count(), 1);
  panel.panel->playbackStateChanged(ePlayingForwards);
  panel.panel->playbackStateChanged(ePlayingForwards);
  EXPECT_EQ(panel.panel->timeSlider()->playbackStatus(), ePlayingForwards);
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(stops.count(), 1);

  // The playback mode turns bounce on and off, and is announced once.
  QSignalSpy modes(panel.panel, &ViewerPlaybackControls::playbackModeChanged);
  panel.panel->setPlaybackMode(ViewerPlaybackControls::Bounce);
  panel.panel->setPlaybackMode(ViewerPlaybackControls::Bounce);
  EXPECT_TRUE(panel.transport->bounceMode());
  ASSERT_EQ(modes.count(), 1);
  EXPECT_EQ(modes.at(0).at(0).value<ViewerPlaybackControls::PlaybackMode>(), ViewerPlaybackControls::Bounce);
  panel.loopChooser()->itemAction(ViewerPlaybackControls::Stop)->trigger();
  EXPECT_FALSE(panel.transport->bounceMode());
  EXPECT_EQ(modes.count(), 2);

  QSignalSpy rates(panel.panel, &ViewerPlaybackControls::fpsChanged);
  panel.panel->setFPS(Tessel::Base::TimeBase(30, 1));
  ASSERT_EQ(rates.count(), 1);
  EXPECT_EQ(rates.at(0).at(0).toFloat(), 30.0f);

  QSignalSpy frameModes(panel.panel, &ViewerPlaybackControls::frameModeChanged);
  panel.panel->setFrameRangeMode(Velloro::ViewerUI::Visible);
  EXPECT_TRUE(panel.panel->timeSlider()->visibleRangeMode());
  EXPECT_EQ(frameModes.count(), 1);

  // Installing the slider already shown must not delete it.
  panel.panel->setTimeSlider(panel.panel->timeSlider());
  EXPECT_EQ(panel.panel->timeSlider()->model(), &panel.model);
}
