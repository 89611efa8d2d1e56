#include <velloro/preview/FilePreviewFactory.h>
#include <velloro/preview/OrvikFilePreview.h>
#include <velloro/preview/PreviewWidget.h>
#include <velloro/preview/internal/PreviewOps.h>

#include <KXImage/Op.h>

#include <TesselUI/FrameSlider.h>

#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imagebufalgo.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Velloro::Preview;

namespace {

QString writeImage(const QTemporaryDir& folder, int width, int height, float value = 1.0f) {
  OIIO::ImageBuf image(OIIO::ImageSpec(width, height, 3, OIIO::TypeDesc::UINT8));
  const float fill[3] = {value, value, value};
  OIIO::ImageBufAlgo::fill(image, fill);
  const QString path = folder.filePath(QStringLiteral("picture%1x%2.png").arg(width).arg(height));
  EXPECT_TRUE(image.write(path.toStdString()));
  return path;
}

std::unique_ptr<OrvikFilePreview> makePanel() {
  return std::unique_ptr<OrvikFilePreview>(dynamic_cast<OrvikFilePreview*>(
      FilePreviewFactory::instance()->create(nullptr, Tessel::UI::FilePreview::eDetailed)));
}

bool bufferIsBlack() {
  const unsigned char* picture = existingPreviewBuffer();
  return std::all_of(picture, picture + kPreviewBufferSize, [](unsigned char v) { return v == 0; });
}

} // namespace

TEST(FilePreview, LabelsFramesAndChoosesTheFilterByWidth) {
  QTemporaryDir folder;
  auto panel = makePanel();
  ASSERT_NE(panel, nullptr);
  panel->previewImage(writeImage(folder, 1920, 1080));
  EXPECT_EQ(panel->label()->text(), QStringLiteral("Format size: 1920x1080   Frame 1 of 1 to 1"));
  EXPECT_TRUE(panel->isPictureShown());
  EXPECT_FALSE(panel->frameSlider()->isHidden());
  EXPECT_FALSE(bufferIsBlack());

  for (auto [width, filter] : {std::pair{170, 0}, {171, 1}, {1535, 1}, {1536, 0}}) {
    panel->previewImage(writeImage(folder, width, 4));
    EXPECT_EQ(imageChain().reformat->numberField("filter"), filter) << width;
  }

  // An unreadable file: no picture, no slider, no text, and a black picture.
  QFile broken(folder.filePath(QStringLiteral("broken.exr")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not an image");
  broken.close();
  panel->previewImage(broken.fileName());
  EXPECT_FALSE(panel->isPictureShown());
  EXPECT_TRUE(panel->frameSlider()->isHidden());
  EXPECT_EQ(panel->label()->text(), QString());
  EXPECT_TRUE(bufferIsBlack());
}

TEST(FilePreview, PreviewsFontsWhateverTheLengthOfTheirPath) {
  const QString font = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  if (!QFile::exists(font)) {
    GTEST_SKIP() << "the DejaVu fonts are not installed";
  }
  // A path far beyond 1024 bytes, through nested folders of long names.
  QTemporaryDir folder;
  QString longFolder = folder.path();
  for (int i = 0; i < 6; ++i) {
    longFolder += QLatin1Char('/') + QString(200, QLatin1Char('a' + i));
  }
  ASSERT_TRUE(QDir().mkpath(longFolder));
  const QString longPath = longFolder + QStringLiteral("/Sample.ttf");
  ASSERT_TRUE(QFile::copy(font, longPath));
  ASSERT_GT(longPath.toUtf8().size(), 1024);

  auto panel = makePanel();
  for (const QString& path : {font, longPath}) {
    clearPreviewBuffer();
    panel->previewFont(path);
    EXPECT_EQ(panel->label()->text(), QStringLiteral("Font: ") + path);
    EXPECT_TRUE(panel->isPictureShown());
    EXPECT_TRUE(panel->frameSlider()->isHidden());
    EXPECT_FALSE(bufferIsBlack());
  }
}

TEST(FilePreview, LetterboxesThePictureInTheWidget) {
  if (!Tessel::UI::GLWidget::IsOpenGLAvailable()) {
    GTEST_SKIP() << "no OpenGL on this platform";
  }
  QTemporaryDir folder;
  auto panel = makePanel();
  // A white 2:1 picture fills the whole preview.
  panel->previewImage(writeImage(folder, 1024, 512));
  ASSERT_EQ(existingPreviewBuffer()[0], 255);

  struct Case {
    int width, height;
    QRect picture;
  };
  for (const Case& box :
       {Case{400, 400, QRect(0, 100, 400, 200)}, Case{1000, 200, QRect(300, 0, 400, 200)}}) {
    PreviewWidget widget;
    widget.resize(box.width, box.height);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const QImage frame = widget.grabFramebuffer();
    ASSERT_EQ(frame.size(), QSize(box.width, box.height));
    auto isWhite = [&](int x, int y) { return qGray(frame.pixel(x, y)) > 250; };
    auto isBlack = [&](int x, int y) { return qGray(frame.pixel(x, y)) < 5; };
    const QRect p = box.picture;
    const QPoint centre = p.center();
    EXPECT_TRUE(isWhite(p.left() + 1, p.top() + 1));
    EXPECT_TRUE(isWhite(p.right() - 1, p.bottom() - 1));
    if (p.top() > 0) {
      EXPECT_TRUE(isBlack(centre.x(), p.top() - 2));
      EXPECT_TRUE(isBlack(centre.x(), p.bottom() + 2));
    }
    if (p.left() > 0) {
      EXPECT_TRUE(isBlack(p.left() - 2, centre.y()));
      EXPECT_TRUE(isBlack(p.right() + 2, centre.y()));
    }
  }
}
