#include <TesselBase/TimeBase.h>

#include <QVariant>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

#include <gtest/gtest.h>

using Tessel::Base::TimeBase;

TEST(TimeBase, BuildsRatesFromFiguresWholeRatesAndIndexes) {
  EXPECT_EQ(TimeBase(24.0f).denominator(), 1);
  EXPECT_EQ(TimeBase(23.976f).numerator(), 24000);
  EXPECT_EQ(TimeBase(23.97f).denominator(), 1001);
  EXPECT_EQ(TimeBase(29.97f).numerator(), 30000);
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

// The rates our rules give for typed figures, beside the rate that OpenTimelineIO's list of
// standard timecode rates would pick as the nearest. The two agree on the NTSC and whole
// standard rates; elsewhere ours keep the figure (47.952 stays 47.95 rather than 48000/1001).
TEST(TimeBase, RatesBesideTheNearestStandardTimecodeRate) {
  const double standardRates[] = {24000.0 / 1001, 24, 25, 30000.0 / 1001, 30,
                                  48000.0 / 1001, 48, 50, 60000.0 / 1001, 60};
  struct Row {
    float typed;
    std::int64_t numerator, denominator;
    const char* label;
    double nearestStandard;
    bool agrees;
  };
  const Row rows[] = {
      {23.976f, 24000, 1001, "23.98", 24000.0 / 1001, true},
      {23.97f, 24000, 1001, "23.98", 24000.0 / 1001, true},
      {29.97f, 30000, 1001, "29.97", 30000.0 / 1001, true},
      {59.94f, 60000, 1001, "59.94", 60000.0 / 1001, true},
      {47.952f, 4795, 100, "47.95", 48000.0 / 1001, false},
      {24.0f, 24, 1, "24", 24, true},
      {25.0f, 25, 1, "25", 25, true},
      {12.5f, 1250, 100, "12.50", 24000.0 / 1001, false},
      {17.0f, 17, 1, "17", 24000.0 / 1001, false},
      {0.0f, 0, 1, "0", 24000.0 / 1001, false},
      {1000.0f, 1000, 1, "1000", 60, false},
  };
  for (const Row& row : rows) {
    const TimeBase rate(row.typed);
    EXPECT_EQ(rate.numerator(), row.numerator) << row.typed;
    EXPECT_EQ(rate.denominator(), row.denominator) << row.typed;
    EXPECT_EQ(rate.label(), row.label) << row.typed;
    const double nearest =
        *std::min_element(std::begin(standardRates), std::end(standardRates), [&row](double a, double b) {
          return std::fabs(a - row.typed) < std::fabs(b - row.typed);
        });
    EXPECT_DOUBLE_EQ(nearest, row.nearestStandard) << row.typed;
    EXPECT_EQ(std::fabs(rate.toFloat() - nearest) < 0.0001, row.agrees) << row.typed;
  }
}
