#include <TesselBase/TimeBase.h>

#include <QVariant>

#include <limits>
#include <string>

#include <gtest/gtest.h>

using Tessel::Base::TimeBase;

TEST(TimeBase, BuildsRatesFromFiguresWholeRatesAndIndexes) {
  EXPECT_EQ(TimeBase(24.0f).denominator(), 1);
  EXPECT_EQ(TimeBase(23.976f).numerator(), 24000);
  EXPECT_EQ(TimeBase(23.97f).denominator(), 1001);
  EXPECT_EQ(TimeBase(29.97f).numerator(), 30000);
  EXPECT_EQ(TimeBase(59.94f).numerator(), 60000);
  EXPECT_NEAR(TimeBase(59.94f).toFloat(), 60000.0 / 1001, 1e-4);
  // Only figures near the NTSC rates snap to x/1001: 47.952 keeps its figure.
  EXPECT_EQ(TimeBase(47.952f).numerator(), 4795);
  EXPECT_EQ(TimeBase(0.0f), TimeBase(0, 1));
  EXPECT_EQ(TimeBase(12.5f).numerator(), 1250);
  EXPECT_EQ(TimeBase(12.5f).denominator(), 100);
  EXPECT_EQ(TimeBase(0.00001f).denominator(), 1);
  EXPECT_FALSE(TimeBase::FromWholeRate(0, true).isValid());
  EXPECT_EQ(TimeBase::FromWholeRate(30, true).numerator(), 30000);
  TimeBase rate(7, 1);
  rate.setStandardRate(8);
  EXPECT_EQ(rate.numerator(), 7);
  rate.setStandardRate(7);
  EXPECT_EQ(rate.numerator(), 60000);
}

TEST(TimeBase, LabelsAndEquality) {
  EXPECT_EQ(TimeBase().label(), "Invalid");
  EXPECT_EQ(TimeBase(24, 1).label(), "24");
  EXPECT_EQ(TimeBase(24000, 1001).label(), "23.98");
  EXPECT_EQ(TimeBase(1250, 100).label(), "12.50");
  EXPECT_EQ(TimeBase(48000, 2000).label(), "24");
  EXPECT_EQ(TimeBase(60000, 1001).label(), "59.94");
  EXPECT_EQ(TimeBase(4795, 100).label(), "47.95");
  EXPECT_EQ(TimeBase(0, 1).label(), "0");
  EXPECT_NE(TimeBase(0, 1), TimeBase());
  EXPECT_EQ(TimeBase(), TimeBase(5, 0));
  EXPECT_EQ(TimeBase(48, 2), TimeBase(24, 1));
  EXPECT_NE(TimeBase(24000, 1001), TimeBase(24, 1));
  EXPECT_EQ(TimeBase().toFloat(), 0.0f);
}

TEST(TimeBase, TravelsInAVariantUnderItsFullName) {
  EXPECT_TRUE(QMetaType::fromName("Tessel::Base::TimeBase").isValid());
  const QVariant value = QVariant::fromValue(TimeBase(25, 1));
  EXPECT_EQ(value.value<TimeBase>().numerator(), 25);
}

TEST(TimeBase, FiguresWithoutARateStayInvalidAndLabelsReadBack) {
  for (float figure : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(), 1e19f, -1e30f}) {
    EXPECT_FALSE(TimeBase(figure).isValid()) << figure;
  }
  EXPECT_EQ(TimeBase(-9.2e18f).label(), "-9200000267938955264");
  EXPECT_EQ(TimeBase(std::numeric_limits<std::int64_t>::max(), 1).label(), "9223372036854775808");
  // 23.965 is just outside the NTSC tolerance but rounds to 23.97, which is inside it.
  const TimeBase rounded(23.965f);
  EXPECT_EQ(rounded, TimeBase(std::stof(rounded.label())));
  EXPECT_EQ(rounded.denominator(), 1001);
  const TimeBase large(131072.016f);
  EXPECT_EQ(large, TimeBase(std::stof(large.label())));
}
