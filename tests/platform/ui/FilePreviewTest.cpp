#include <TesselUI/FilePreview.h>
#include <TesselUI/FrameSlider.h>
#include <TesselUI/GLWidget.h>
#include <TesselUI/IFilePreviewFactory.h>

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using namespace Tessel::UI;

namespace {

// Records what the panel asks its subclass to render.
class RecordingPreview : public FilePreview {
public:
  RecordingPreview(QWidget* parent, PreviewMode mode)
      : FilePreview(parent, new GLWidget, mode) {}
  QStringList calls;
  void previewImage(const QString& path) override {
    calls << "image " + path + " @" + QString::number(currentFrame());
    frameSlider()->show();
  }
  void previewFont(const QString& path) override { calls << "font " + path; }
};

class Factory : public IFilePreviewFactory {
public:
  FilePreview* create(QWidget* parent, FilePreview::PreviewMode mode) override {
    return new RecordingPreview(parent, mode);
  }
};

} // namespace

TEST(FilePreview, DispatchesByFileTypeAndShowsNoPreview) {
  RecordingPreview preview(nullptr, FilePreview::eDetailed);
  ASSERT_NE(preview.pictureArea(), nullptr);
  preview.setFile("/shots/a.0001.exr");
  preview.setFile("/fonts/Sans.TTF");
  preview.setFile("/fonts/serif.otf");
  EXPECT_EQ(preview.calls,
            QStringList({"image /shots/a.0001.exr @0", "font /fonts/Sans.TTF", "font /fonts/serif.otf"}));
  EXPECT_TRUE(preview.isPictureShown());

  preview.setFile(QString());
  EXPECT_FALSE(preview.isPictureShown());
  EXPECT_TRUE(preview.pictureArea()->isHidden());
  EXPECT_TRUE(preview.frameSlider()->isHidden());
  EXPECT_EQ(preview.label()->text(), "No preview");
  EXPECT_FALSE(preview.label()->isHidden());
  EXPECT_EQ(preview.calls.size(), 3);
}

TEST(FilePreview, FrameSliderRePreviewsTheFileAtTheNewFrame) {
  RecordingPreview preview(nullptr, FilePreview::eCompact);
  EXPECT_TRUE(preview.label()->isHidden()); // compact panels show the picture only
  preview.frameSlider()->setRange(1, 50);
  preview.setFile("/shots/b.####.dpx");
  preview.frameSlider()->setValue(10); // set by the subclass: no new preview
  EXPECT_EQ(preview.calls.size(), 1);
  EXPECT_EQ(preview.currentFrame(), 10);
  preview.frameSlider()->setValue(99);
  EXPECT_EQ(preview.currentFrame(), 50);

  // The user moves the slider.
  QSlider* slider = preview.frameSlider()->slider();
  QTest::keyClick(slider, Qt::Key_Home);
  ASSERT_EQ(preview.calls.size(), 2);
  EXPECT_EQ(preview.calls.last(), "image /shots/b.####.dpx @1");
  EXPECT_EQ(preview.frameSlider()->findChild<QLabel*>()->text(), "1");
}

TEST(IFilePreviewFactory, RegisteredFactoryMakesPanels) {
  EXPECT_EQ(IFilePreviewFactory::Registered(), nullptr);
  {
    Factory factory;
    IFilePreviewFactory::Register(&factory);
    QWidget browser;
    FilePreview* panel = IFilePreviewFactory::Registered()->create(&browser, FilePreview::eDetailed);
    EXPECT_EQ(panel->parentWidget(), &browser);
    EXPECT_EQ(panel->mode(), FilePreview::eDetailed);
  }
  EXPECT_EQ(IFilePreviewFactory::Registered(), nullptr); // a destroyed factory is not left behind
}

// Qt cannot show an OpenGL widget, nor a window holding one, on the offscreen platform these
// tests run on: the panel must still show, without its picture, instead of crashing.
TEST(GLWidget, StaysHiddenWithoutOpenGL) {
  ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
  EXPECT_FALSE(GLWidget::IsOpenGLAvailable());
  RecordingPreview preview(nullptr, FilePreview::eDetailed);
  preview.setFile("/shots/a.exr");
  preview.show();
  QApplication::processEvents();
  EXPECT_FALSE(preview.pictureArea()->isVisible());
  EXPECT_TRUE(preview.isVisible());
  preview.pictureArea()->show();
  EXPECT_FALSE(preview.pictureArea()->isVisible());
}
