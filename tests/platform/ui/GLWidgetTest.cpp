#include <TesselUI/FilePreview.h>
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
  EXPECT_EQ(frame.pixelColor(10, 10), QColor(200, 40, 10));
  EXPECT_EQ(frame.pixelColor(60, 30), QColor(200, 40, 10));
  EXPECT_TRUE(GLWidget::IsOpenGLAvailable());
  widget.hide();
  widget.show();
  EXPECT_TRUE(widget.isVisible());
}

namespace {
class BlankPreview : public Tessel::UI::FilePreview {
public:
  BlankPreview()
      : FilePreview(nullptr, new GLWidget, eDetailed) {}
  void previewImage(const QString&) override {}
  void previewFont(const QString&) override {}
};
} // namespace

TEST(GLWidget, SitsInAFilePreviewWithOpenGL) {
  BlankPreview preview;
  preview.setFile("/shots/a.exr");
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  EXPECT_TRUE(preview.pictureArea()->isVisible());
  preview.setFile(QString());
  EXPECT_FALSE(preview.pictureArea()->isVisible());
}
