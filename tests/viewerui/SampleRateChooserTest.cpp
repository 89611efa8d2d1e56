#include <velloro/viewerui/SampleRateChooser.h>

#include <QSignalSpy>

#include <gtest/gtest.h>

using Tessel::Base::TimeBase;
using Velloro::SampleRateChooser;

TEST(SampleRateChooser, ListsAudioRatesAndAppendsOthers) {
  SampleRateChooser chooser;
  QSignalSpy changes(&chooser, &SampleRateChooser::timeBaseChanged);
  chooser.setTimeBase(TimeBase(44100, 1));
  EXPECT_EQ(chooser.currentIndex(), 1);
  EXPECT_EQ(chooser.timeBase(), TimeBase(44100, 1));
  chooser.setTimeBase(TimeBase(22050, 1));
  ASSERT_EQ(chooser.count(), 4);
  EXPECT_EQ(chooser.currentText(), "22050");
  EXPECT_EQ(chooser.timeBase(), TimeBase(22050, 1));
  EXPECT_EQ(changes.count(), 2);
}
