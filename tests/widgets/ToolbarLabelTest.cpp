#include "../common/PaintCounter.h"

#include <velloro/widgets/ToolbarLabel.h>

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using Tessel::UI::ToolbarLabel;

TEST(ToolbarLabel, SizeFromText) {
  ToolbarLabel label(QStringLiteral("Frame 1001"));
  const QSize text = label.fontMetrics().boundingRect(QStringLiteral("Frame 1001")).size();
  EXPECT_EQ(label.sizeHint(), text + QSize(2, 2));
  EXPECT_EQ(label.minimumSizeHint(), label.sizeHint());
  EXPECT_EQ(label.maximumWidth(), label.sizeHint().width());
  label.setContentsMargins(3, 1, 3, 1);
  EXPECT_EQ(label.sizeHint(), text + QSize(8, 4));
}

TEST(ToolbarLabel, SameTextTwiceRepaintsOnce) {
  ToolbarLabel label;
  label.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
  PaintCounter counter;
  label.installEventFilter(&counter);
  label.setText(QStringLiteral("24 fps"));
  QApplication::processEvents();
  const int afterFirst = counter.paints;
  EXPECT_GE(afterFirst, 1);
  label.setText(QStringLiteral("24 fps"));
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, afterFirst);
  label.setText(QStringLiteral("25 fps"));
  QApplication::processEvents();
  EXPECT_GT(counter.paints, afterFirst);
}

TEST(ToolbarLabel, TextColourAndElidedPainting) {
  ToolbarLabel label(QStringLiteral("A long title that will not fit"));
  label.setTextColor(Qt::red);
  EXPECT_EQ(label.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(label.palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::red));
  label.setElideMode(Qt::ElideRight);
  label.setMaximumWidth(QWIDGETSIZE_MAX);
  label.resize(60, label.sizeHint().height());
  const QImage image = label.grab().toImage();
  // Red text is drawn, on the tool-bar fill, and clipped: the right end is fill only.
  bool red = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      red = red || (pixel.red() > 150 && pixel.green() < 100);
    }
  }
  EXPECT_TRUE(red);
  EXPECT_NE(image.pixelColor(0, 0), QColor(Qt::red));
}
