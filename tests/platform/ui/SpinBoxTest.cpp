#include <TesselUI/ColorDoubleSpinBox.h>
#include <TesselUI/ColorPicker.h>
#include <TesselUI/DoubleSpinBox.h>
#include <TesselUI/DragDoubleSpinBox.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Tessel::UI;

TEST(DoubleSpinBox, ShowsOnlyTheDigitsNeededAndReadsTypedValues) {
  DoubleSpinBox box;
  box.setValue(0.5);
  EXPECT_EQ(box.text(), "0.5");
  box.setValue(2);
  EXPECT_EQ(box.text(), "2");
  box.setValue(0.123456);
  EXPECT_EQ(box.text(), "0.123456");
  box.setValue(-1234567.25);
  EXPECT_EQ(box.text(), "-1234567.25");
  box.show();
  QSignalSpy changes(&box, &QDoubleSpinBox::valueChanged);
  box.findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(&box, "3.75");
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(box.value(), 3.75);
  EXPECT_EQ(changes.count(), 1); // once, on Return: no tracking of each key
}

TEST(DragDoubleSpinBox, HorizontalDragChangesTheValue) {
  DragDoubleSpinBox box;
  box.setSingleStep(0.1);
  box.setValue(1.0);
  box.resize(120, 24);
  box.show();
  QLineEdit* field = box.findChild<QLineEdit*>();
  QTest::mousePress(field, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(field, QPoint(50, 10));
  EXPECT_TRUE(box.isDragging());
  QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(50, 10));
  EXPECT_NEAR(box.value(), 1.0 + 20 * 0.1, 1e-9); // 40 pixels, a step per two
  EXPECT_FALSE(box.isDragging());

  // A click without movement edits the text instead.
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_NEAR(box.value(), 3.0, 1e-9);

  box.setReadOnly(true);
  QTest::mousePress(field, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(field, QPoint(80, 10));
  QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(80, 10));
  EXPECT_NEAR(box.value(), 3.0, 1e-9);
}

TEST(ColorPicker, SetGetAndEditChannels) {
  ColorPicker picker;
  QSignalSpy changes(&picker, &ColorPicker::colorChanged);
  picker.setColor(0.25f, 0.5f, 2.0f, 0.75f, false);
  EXPECT_EQ(changes.count(), 0);
  float r, g, b, a;
  picker.getColor(r, g, b, a);
  EXPECT_FLOAT_EQ(r, 0.25f);
  EXPECT_FLOAT_EQ(b, 2.0f); // brighter than white is kept
  EXPECT_FLOAT_EQ(a, 0.75f);
  EXPECT_EQ(picker.color(), QColor::fromRgbF(0.25f, 0.5f, 1.0f, 0.75f));
  EXPECT_EQ(picker.channelField(1)->channelColor().green(), 190);

  picker.setColor(0.25f, 0.5f, 2.0f, 0.75f, true); // unchanged: nothing to tell
  EXPECT_EQ(changes.count(), 0);
  picker.setColor(0.0f, 0.5f, 2.0f, 3.0f, true); // alpha is kept within 0..1
  ASSERT_EQ(changes.count(), 1);
  EXPECT_FLOAT_EQ(changes.last().at(3).toFloat(), 1.0f);

  picker.show();
  ColorDoubleSpinBox* green = picker.channelField(1);
  green->findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(green, "0.125");
  QTest::keyClick(green, Qt::Key_Return);
  picker.getColor(r, g, b, a);
  EXPECT_FLOAT_EQ(g, 0.125f);
  EXPECT_FLOAT_EQ(changes.last().at(1).toFloat(), 0.125f);
}
