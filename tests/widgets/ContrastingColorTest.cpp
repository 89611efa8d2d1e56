#include <velloro/widgets/ContrastingColor.h>

#include <gtest/gtest.h>

using Velloro::ContrastingColor;

TEST(ContrastingColor, KeepsContrastingColoursAndOtherwisePicksBlackOrWhite) {
  const QColor white(Qt::white);
  const QColor black(Qt::black);
  EXPECT_EQ(ContrastingColor(QColor(128, 128, 128), QColor(128, 128, 128)), black);
  EXPECT_EQ(ContrastingColor(QColor(40, 40, 40), black), white);
  EXPECT_EQ(ContrastingColor(white, black), white);
  EXPECT_EQ(ContrastingColor(QColor(200, 30, 30), white), QColor(200, 30, 30));
  // Yellow on white is too faint: a light background takes black.
  EXPECT_EQ(ContrastingColor(QColor(255, 255, 0), white), black);
  // Around the dark/light turn: a background of luminance just under 0.179 takes white.
  EXPECT_EQ(ContrastingColor(QColor(110, 110, 110), QColor(117, 117, 117)), white);
  EXPECT_EQ(ContrastingColor(QColor(120, 120, 120), QColor(119, 119, 119)), black);
  // Colours given in other models are compared by their RGB.
  EXPECT_EQ(ContrastingColor(QColor::fromHsv(0, 0, 255), black), QColor::fromHsv(0, 0, 255));
}
