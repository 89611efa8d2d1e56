#include <TesselUI/GLWidget.h>

#include <QTest>

#include <gtest/gtest.h>

using Tessel::UI::GLWidget;

TEST(GLWidget, InitialisesAndClearsToItsColour) {
  GLWidget widget;
  widget.setClearColor(QColor(200, 40, 10));
  widget.resize(64, 32);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  const QImage frame = widget.grabFramebuffer();
  ASSERT_TRUE(widget.isGLInitialized());
  ASSERT_FALSE(frame.isNull());
  EXPECT_EQ(frame.pixelColor(10, 10), QColor(200, 40, 10));
  EXPECT_EQ(frame.pixelColor(60, 30), QColor(200, 40, 10));
}
