#include <velloro/pixelanalyser/ColorSampleButton.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <limits>
#include <optional>

using Tessel::UI::ColorSampleButton;

namespace {

struct DragSeen {
  bool started = false;
  QByteArray bytes;
  QColor pixmapColour;
};

// Presses at (10, 10), moves by the offset and reports the drag, which is cancelled at once.
DragSeen dragBy(ColorSampleButton& button, QPoint offset) {
  DragSeen seen;
  QTimer::singleShot(0, &button, [&] {
    if (auto* drag = button.findChild<QDrag*>()) {
      seen.started = true;
      seen.bytes = drag->mimeData()->data(QStringLiteral("application/x-color"));
      seen.pixmapColour = drag->pixmap().toImage().pixelColor(0, 0);
      QTest::keyClick(&button, Qt::Key_Escape);
    }
  });
  const QPoint press(10, 10);
  QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, press);
  QMouseEvent move(QEvent::MouseMove, press + offset, button.mapToGlobal(press + offset), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&button, &move);
  QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, press + offset);
  QApplication::processEvents();
  return seen;
}

TEST(ColorSampleButtonTest, WarningsAndDisplayBytes) {
  ColorSampleButton button(QStringLiteral("min"), QString());
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const float colours[][4] = {{nan, inf, 2, 1}, {0, inf, -1, 1}, {0.5f, 1.5f, -1, 1}, {0.5f, 1, 0, 5}};
  const std::optional<QString> warnings[] = {QStringLiteral("NaN"), QStringLiteral("Inf"), QString(), {}};
  for (int index = 0; index < 4; ++index) {
    button.setColor(colours[index], nullptr);
    EXPECT_EQ(button.warning(), warnings[index]) << index;
  }
  // sRGB encodes linear 0.5 as 0.7354 (187); out-of-range values are clamped, alpha plays no part.
  EXPECT_EQ(button.displayColor(), QColor(187, 255, 0));
  button.setColor(colours[2], nullptr);
  EXPECT_EQ(button.displayColor(), QColor(187, 255, 0));
}

TEST(ColorSampleButtonTest, DragsTheColourOnceFarEnoughFromThePress) {
  ColorSampleButton button(QStringLiteral("current"), QString());
  button.show();
  QApplication::setStartDragDistance(5);
  EXPECT_FALSE(dragBy(button, QPoint(3, 2)).started); // no colour, no drag

  const float colour[4] = {2.0f, 0.5f, -1.0f, 1.0f};
  button.setColor(colour, nullptr);
  const DragSeen seen = dragBy(button, QPoint(3, 2));
  ASSERT_TRUE(seen.started);
  // QDataStream's defaults: big-endian doubles for r, g, b, a and the final 1.
  EXPECT_EQ(seen.bytes.toHex(), QByteArray("4000000000000000"
                                           "3fe0000000000000"
                                           "bff0000000000000"
                                           "3ff0000000000000"
                                           "3ff0000000000000"));
  EXPECT_EQ(seen.pixmapColour.rgb(), QColor::fromRgbF(1.0f, 0.5f, 0.0f).rgb());

  EXPECT_FALSE(dragBy(button, QPoint(2, 2)).started);
  QApplication::setStartDragDistance(10);

  button.setChecked(true);
  button.hide();
  EXPECT_FALSE(button.isChecked());
}

} // namespace
