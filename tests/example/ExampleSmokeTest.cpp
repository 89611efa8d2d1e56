#include <ExampleViewer.h>
#include <FileBrowser.h>
#include <LocalisationPanel.h>
#include <MainWindow.h>
#include <PlaybackPanel.h>
#include <SampleMedia.h>
#include <ViewerWidget.h>

#include <velloro/pixelanalyser/PixelAnalyserManager.h>

#include <TesselUI/FilePreview.h>

#include <OpenImageIO/imageio.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace Velloro::Example;

namespace {

// OpenImageIO's own worker threads synchronise in a library ThreadSanitizer cannot see; reading
// on the calling thread keeps its reports to the code under test.
const bool kOneImageIOThread = OIIO::attribute("threads", 1);

// The 8-bit sRGB code of a linear value, as the sample configuration's sRGB display shows it.
int SrgbCode(float linear) {
  const double clamped = std::clamp(double(linear), 0.0, 1.0);
  const double encoded = clamped <= 0.0031308 ? 12.92 * clamped : 1.055 * std::pow(clamped, 1 / 2.4) - 0.055;
  return int(std::lround(encoded * 255));
}

class ExampleSmokeTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_media.ensure()) << m_media.error().toStdString();
    m_window.loadColourConfig(m_media.configPath());
    m_window.show();
  }

  std::string status() const { return m_window.statusText().toStdString(); }
  const float* sampled() {
    auto& manager = Velloro::PixelAnalyser::PixelAnalyserManager::Get();
    return manager.getSample(&m_window.viewerItem().sampler()).data.current;
  }

  QTemporaryDir m_folder;
  SampleMedia m_media{m_folder.path()};
  MainWindow m_window{m_folder.filePath(QStringLiteral("cache"))};
};

TEST_F(ExampleSmokeTest, PlaysPicksAPixelAndSwitchesViews) {
  m_window.setProfiling(true);
  ASSERT_TRUE(m_window.openSequence(m_media.sequencePattern())) << status();
  EXPECT_EQ(m_window.currentView(), QStringLiteral("left"));
  EXPECT_EQ(m_window.viewer()->image().size(), QSize(SampleMedia::kWidth, SampleMedia::kHeight));

  // The browser previews a frame and knows the sequence it belongs to.
  const QString frameSix = m_folder.filePath(QStringLiteral("shot.right.0006.exr"));
  m_window.fileBrowser()->select(frameSix);
  EXPECT_EQ(m_window.fileBrowser()->preview()->currentFile(), frameSix);
  EXPECT_EQ(FileBrowser::SequencePattern(frameSix), m_media.sequencePattern());

  // Frame 3 puts the left eye's ball centre on x 120; the right eye sees it 12 pixels further left.
  m_window.playback()->setFrame(3);
  const QPoint centre(120, 135);
  m_window.viewer()->selectPixel(centre);
  float expected[4];
  SampleMedia::SampleColour(3, false, centre.x(), centre.y(), expected);
  for (int channel = 0; channel < 4; ++channel) {
    EXPECT_NEAR(sampled()[channel], expected[channel], 2e-3f) << channel;
  }
  const QColor shown = m_window.viewer()->image().pixelColor(centre);
  EXPECT_EQ(shown.red(), 255); // 1.8 is over the display's white
  EXPECT_NEAR(shown.blue(), SrgbCode(expected[2]), 1);

  ASSERT_TRUE(m_window.setView(QStringLiteral("right")));
  SampleMedia::SampleColour(3, true, centre.x(), centre.y(), expected);
  EXPECT_NEAR(sampled()[0], expected[0], 2e-3f);
  EXPECT_LT(sampled()[0], 1.8f - 0.1f);

  // The depth layer shows its one channel grey and the analyser follows it.
  ASSERT_TRUE(m_window.setLayer(QStringLiteral("depth")));
  EXPECT_NEAR(sampled()[0], 4.0f, 1e-3f);
  EXPECT_EQ(m_window.viewerItem().activeLayer()->name(), "depth");
  EXPECT_TRUE(m_window.setLayer(QStringLiteral("rgba")));

  // Localising the sequence reports each file.
  ASSERT_NE(m_window.localisation(), nullptr);
  m_window.localisation()->localiseAll();
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return m_window.localisation()->status(frameSix) == QStringLiteral("localised");
  })) << m_window.localisation()->status(frameSix).toStdString();

  // Real playback: frames advance on the timer and the achieved rate is measured.
  m_window.playback()->play();
  QTest::qWait(600);
  EXPECT_GT(m_window.playback()->achievedRate(), 0.0);
  m_window.playback()->stop();
  EXPECT_NE(m_window.playback()->frame(), 3);
  EXPECT_FALSE(m_window.viewer()->image().isNull());

  // Reading and converting were profiled, frame by frame.
  const QString trace = m_folder.filePath(QStringLiteral("trace.json"));
  ASSERT_TRUE(m_window.exportTrace(trace));
  QFile traceFile(trace);
  ASSERT_TRUE(traceFile.open(QIODevice::ReadOnly));
  const QByteArray events = traceFile.readAll();
  EXPECT_TRUE(events.contains("shot.right.0003.exr")) << events.left(400).toStdString();
  EXPECT_TRUE(events.contains("Display transform"));
  m_window.setProfiling(false);
}

TEST_F(ExampleSmokeTest, BadInputIsReportedAndTheViewerGoesOn) {
  const QString folder = m_folder.path();
  EXPECT_FALSE(m_window.openSequence(folder + QStringLiteral("/absent.####.exr")));
  EXPECT_TRUE(m_window.statusText().startsWith(QStringLiteral("No frames found"))) << status();

  // A missing frame and a truncated frame in the middle of the sequence.
  ASSERT_TRUE(m_window.openSequence(m_media.sequencePattern()));
  const QString missing = folder + QStringLiteral("/shot.left.0005.exr");
  ASSERT_TRUE(QFile::remove(missing));
  QFile frame(folder + QStringLiteral("/shot.left.0006.exr"));
  ASSERT_TRUE(frame.open(QIODevice::ReadWrite));
  ASSERT_TRUE(frame.resize(frame.size() / 2));
  frame.close();
  m_window.playback()->setFrame(5);
  EXPECT_TRUE(m_window.viewer()->image().isNull());
  EXPECT_TRUE(m_window.statusText().startsWith(QStringLiteral("Missing file"))) << status();
  m_window.playback()->setFrame(6);
  EXPECT_TRUE(m_window.viewer()->image().isNull());
  EXPECT_TRUE(m_window.statusText().startsWith(QStringLiteral("Cannot read"))) << status();
  m_window.playback()->setFrame(7);
  EXPECT_FALSE(m_window.viewer()->image().isNull());
  EXPECT_EQ(m_window.statusText(), QStringLiteral("Frame 7"));
  m_window.localisation()->localiseAll();
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return m_window.localisation()->status(missing) != QStringLiteral("queued"); }));
  EXPECT_EQ(m_window.localisation()->status(missing), QStringLiteral("missing"));

  // An image without colour channels (a bare depth channel) is shown by its first layer.
  const QString depthOnly = folder + QStringLiteral("/depth.exr");
  {
    OIIO::ImageSpec spec(8, 4, 1, OIIO::TypeDesc::FLOAT);
    spec.channelnames = {"Z"};
    std::vector<float> pixels(32, 2.5f);
    auto output = OIIO::ImageOutput::create("openexr");
    ASSERT_TRUE(output && output->open(depthOnly.toStdString(), spec) &&
                output->write_image(OIIO::TypeDesc::FLOAT, pixels.data()) && output->close());
  }
  EXPECT_TRUE(m_window.openSequence(depthOnly));
  EXPECT_TRUE(m_window.statusText().contains(QStringLiteral("has no rgba layer"))) << status();
  EXPECT_EQ(m_window.viewer()->image().size(), QSize(8, 4));
  EXPECT_EQ(m_window.viewerItem().activeLayer()->name(), "other");

  // A configuration that does not parse leaves the pictures unconverted but on screen.
  const QString badConfig = folder + QStringLiteral("/broken.ocio");
  QFile config(badConfig);
  ASSERT_TRUE(config.open(QIODevice::WriteOnly));
  config.write("ocio_profile_version: 2\ncolorspaces: [ {{ not yaml\n");
  config.close();
  ASSERT_TRUE(m_window.openSequence(m_media.sequencePattern()));
  m_window.playback()->setFrame(1);
  EXPECT_FALSE(m_window.loadColourConfig(badConfig));
  EXPECT_TRUE(m_window.statusText().contains(QStringLiteral("cannot be used"))) << status();
  EXPECT_FALSE(m_window.viewer()->image().isNull());
  EXPECT_TRUE(m_window.loadColourConfig(m_media.configPath()));
}

} // namespace
