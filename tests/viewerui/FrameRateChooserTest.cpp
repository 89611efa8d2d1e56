#include <velloro/viewerui/FrameRateChooser.h>
#include <velloro/viewerui/SampleRateChooser.h>

#include <QSignalSpy>

#include <gtest/gtest.h>

using Tessel::Base::TimeBase;
using Velloro::FrameRateChooser;
using Velloro::SampleRateChooser;

TEST(FrameRateChooser, ListsTheStandardRatesAndFindsRatesWithinTolerance) {
  FrameRateChooser chooser;
  const QStringList labels = {"8",  "10",    "12", "12.50", "15", "23.98", "24",
                              "25", "29.97", "30", "48",    "50", "59.94", "60"};
  ASSERT_EQ(chooser.separatorIndex(), labels.size());
  for (int index = 0; index < labels.size(); ++index) {
    EXPECT_EQ(chooser.itemText(index), labels[index]);
  }
  EXPECT_EQ(chooser.timeBaseAt(3), TimeBase(25, 2));
  EXPECT_EQ(chooser.findData(QVariant::fromValue(TimeBase(23.976f))), 5);
  EXPECT_EQ(chooser.findData(QVariant::fromValue(TimeBase(96, 4))), 6);
  // The separator holds no rate: an invalid one must not select it.
  chooser.setTimeBase(TimeBase());
  EXPECT_EQ(chooser.currentIndex(), -1);
  EXPECT_FALSE(chooser.timeBase().isValid());

  QSignalSpy changes(&chooser, &FrameRateChooser::timeBaseChanged);
  chooser.setTimeBase(TimeBase(30000, 1001));
  EXPECT_EQ(chooser.currentIndex(), 8);
  EXPECT_EQ(changes.count(), 1);
}

TEST(FrameRateChooser, DefaultMarkMovesBetweenEntriesAndAppendsUnknownRates) {
  FrameRateChooser chooser;
  chooser.setDefaultValue(TimeBase(25, 1));
  EXPECT_EQ(chooser.itemText(7), "25*");
  chooser.setDefaultValue(TimeBase(24, 1));
  EXPECT_EQ(chooser.itemText(7), "25");
  EXPECT_EQ(chooser.itemText(6), "24*");
  chooser.setDefaultValue(TimeBase(20, 1));
  EXPECT_EQ(chooser.itemText(6), "24");
  ASSERT_EQ(chooser.count(), chooser.separatorIndex() + 2);
  EXPECT_EQ(chooser.defaultIndex(), chooser.count() - 1);
  EXPECT_EQ(chooser.itemText(chooser.defaultIndex()), "20*");
  chooser.setDefaultValue(TimeBase(24000, 1001));
  EXPECT_EQ(chooser.itemText(5), "23.976*");
}

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
