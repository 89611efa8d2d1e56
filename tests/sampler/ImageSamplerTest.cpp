#include <sampler/ImageSampler.h>

#include <velloro/pixelanalyser/PixelAnalyserManager.h>

#include <gtest/gtest.h>

#include <array>
#include <limits>

using Velloro::PixelAnalyser::PixelAnalyserManager;
using Velloro::PixelAnalyser::PixelSample;
using Velloro::PixelAnalyser::PixelSampleOptions;
using Colour = std::array<float, 4>;

namespace {

// Luminance: 0.186, 0.191, 0.358 on the first row; 0.4, 0.029, 1 on the second.
const Colour kPixels[2][3] = {
    {{0.1f, 0.2f, 0.3f, 1}, {0.9f, 0, 0, 1}, {0, 0.5f, 0, 0.5f}},
    {{0.4f, 0.4f, 0.4f, 1}, {-0.2f, 0.1f, 0, 0}, {1, 1, 1, 1}},
};

OIIO::ImageBuf SmallImage() {
  OIIO::ImageBuf image(OIIO::ImageSpec(3, 2, 4, OIIO::TypeDesc::FLOAT));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      image.setpixel(x, y, kPixels[y][x].data());
    }
  }
  return image;
}

Colour colour(const float* values) {
  return {values[0], values[1], values[2], values[3]};
}

class ImageSamplerTest : public ::testing::Test {
protected:
  ImageSamplerTest() {
    setOptions([](PixelSampleOptions&) {});
  }
  template <class Change> void setOptions(Change change) {
    PixelSampleOptions options = PixelAnalyserManager::Get().getSampleOptions(&m_sampler);
    change(options);
    PixelAnalyserManager::Get().setSampleOptions(&m_sampler, options);
  }
  const PixelSample& sample() { return PixelAnalyserManager::Get().getSample(&m_sampler); }

  Velloro::Sampler::ImageSampler m_sampler{SmallImage()};
};

TEST_F(ImageSamplerTest, FullFrameStatisticsOrderedByTheBasis) {
  setOptions([](PixelSampleOptions& options) { options.mode = PixelSampleOptions::eFullFrame; });
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_FALSE(m_sampler.sample()); // nothing changed since
  const auto& data = sample().data;
  EXPECT_TRUE(data.multiplePixels && !data.medianPending);
  EXPECT_EQ(sample().region, QRect(0, 0, 3, 2));
  EXPECT_EQ(colour(data.min), kPixels[1][1]);
  EXPECT_EQ(colour(data.max), kPixels[1][2]);
  EXPECT_EQ(colour(data.median), kPixels[0][1]); // the lower of the two middle pixels
  const Colour average = {2.2f / 6, 2.2f / 6, 1.7f / 6, 0.75f};
  for (std::size_t channel = 0; channel < 4; ++channel) {
    EXPECT_NEAR(data.average[channel], average[channel], 1e-6f);
  }

  setOptions([](PixelSampleOptions& options) { options.basis = PixelSampleOptions::eRed; });
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_EQ(colour(sample().data.median), kPixels[0][0]); // reds -0.2 0 0.1 0.4 0.9 1
}

TEST_F(ImageSamplerTest, RegionBoxesAndPickedPixels) {
  m_sampler.selectRegion(QRect(1, 0, 2, 2), true);
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_TRUE(sample().data.multiplePixels && sample().data.medianPending); // until the box is let go
  m_sampler.selectRegion(QRect(1, 0, 2, 2), false);
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_FALSE(sample().data.medianPending);
  EXPECT_EQ(colour(sample().data.median), kPixels[0][1]);

  m_sampler.selectPixel(QPoint(0, 1));
  m_sampler.selectPixel(QPoint(2, 0));
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_EQ(sample().region, QRect(2, 0, 1, 1)); // the last pixel only
  setOptions([](PixelSampleOptions& options) { options.accumulate = true; });
  m_sampler.selectPixel(QPoint(0, 1));
  m_sampler.selectPixel(QPoint(7, 7)); // outside the image
  ASSERT_TRUE(m_sampler.sample());
  const auto& data = sample().data;
  EXPECT_FALSE(data.multiplePixels);
  EXPECT_EQ(sample().region, QRect(0, 0, 3, 2));
  EXPECT_EQ(colour(data.current), kPixels[1][0]);
  EXPECT_EQ(colour(data.min), kPixels[0][2]);
  EXPECT_EQ(colour(data.max), kPixels[1][0]);
}

TEST_F(ImageSamplerTest, LayerChannelsChooseWhatIsReadAndNaNOrdersFirst) {
  setOptions([](PixelSampleOptions& options) {
    options.layerChannels = {KX::Image::eChannelBlue, KX::Image::eChannelNone, KX::Image::eChannelRed,
                             KX::Image::Channel(9)};
    options.channels = KX::Image::eMaskRed;
    options.channels += KX::Image::eChannelBlue;
  });
  m_sampler.selectPixel(QPoint(0, 0));
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_EQ(colour(sample().data.current), (Colour{0.3f, 0, 0.1f, 0}));

  OIIO::ImageBuf image = SmallImage();
  const float nan[4] = {std::numeric_limits<float>::quiet_NaN(), 0, 0, 1};
  image.setpixel(2, 1, nan);
  m_sampler.setImage(image);
  setOptions([](PixelSampleOptions& options) {
    options = PixelSampleOptions();
    options.mode = PixelSampleOptions::eFullFrame;
  });
  ASSERT_TRUE(m_sampler.sample());
  EXPECT_TRUE(std::isnan(sample().data.min[0]));
  EXPECT_EQ(colour(sample().data.max), kPixels[1][0]);
}

} // namespace
