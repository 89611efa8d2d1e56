#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelSampler.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <optional>
#include <vector>

using namespace Velloro::PixelAnalyser;

namespace {

// Moves the selection one pixel right on each change; records what it was given and told.
class StepSampler : public PixelSampler {
public:
  bool computeSample(const PixelSampleOptions& options, PixelSample& sample) override {
    seen.emplace_back(options.basis, sample.region.x());
    if (changes) {
      sample.region = QRect(sample.region.x() + 1, 0, 1, 1);
    }
    return changes;
  }
  void resetSampling() override { ++resets; }

  bool changes = true;
  int resets = 0;
  std::vector<std::pair<int, int>> seen; // basis and region x given to computeSample
  std::vector<std::pair<int, int>> told; // old and new basis
  std::size_t toldWhenSignalled = 0;

private:
  void sampleOptionsChanged(const PixelSampleOptions& oldOptions,
                            const PixelSampleOptions& newOptions) override {
    told.emplace_back(oldOptions.basis, newOptions.basis);
  }
};

PixelAnalyserManager& manager() {
  return PixelAnalyserManager::Get();
}

PixelSampleOptions basis(int value) {
  PixelSampleOptions options;
  options.basis = value;
  return options;
}

TEST(PixelSamplerTest, UnknownSamplersReadDefaultsAndTheirSamplesAreDropped) {
  StepSampler sampler;
  QSignalSpy samples(&manager().model(), &PixelAnalyserModel::sampleChanged);
  EXPECT_EQ(manager().getSampleOptions(&sampler), PixelSampleOptions());

  PixelSample sample;
  sample.region = QRect(1, 2, 3, 4);
  manager().setSample(&sampler, sample);
  sampler.sample();
  EXPECT_TRUE(samples.isEmpty());
  EXPECT_TRUE(manager().getSample(&sampler).region.isNull());
  manager().setSampleOptions(nullptr, basis(2));
  EXPECT_EQ(manager().getSampleOptions(nullptr).basis, 7);

  // A destroyed sampler leaves nothing behind for a new one at the same address.
  std::optional<StepSampler> slot(std::in_place);
  manager().setSampleOptions(&*slot, basis(2));
  slot.emplace();
  EXPECT_EQ(manager().getSampleOptions(&*slot).basis, 7);
}

TEST(PixelSamplerTest, OptionsAndSamplesThroughTheStore) {
  StepSampler sampler;
  // The sampler is told of new options before they are announced.
  QObject context;
  QObject::connect(
      &manager().model(), &PixelAnalyserModel::optionsChanged, &context,
      [&](PixelSampler*, const PixelSampleOptions&) { sampler.toldWhenSignalled = sampler.told.size(); });
  manager().setSampleOptions(&sampler, basis(2));
  manager().setSampleOptions(&sampler, basis(3));
  EXPECT_EQ(sampler.toldWhenSignalled, 2u);
  EXPECT_EQ(sampler.told, (std::vector<std::pair<int, int>>{{7, 2}, {2, 3}}));

  QSignalSpy samples(&manager().model(), &PixelAnalyserModel::sampleChanged);
  EXPECT_TRUE(sampler.sample());
  EXPECT_TRUE(sampler.sample());
  ASSERT_EQ(samples.size(), 2);
  EXPECT_EQ(samples[1][1].value<PixelSample>().region.x(), 2);
  // Each pass starts from the stored sample, with the stored options.
  EXPECT_EQ(sampler.seen, (std::vector<std::pair<int, int>>{{3, 0}, {3, 1}}));

  sampler.changes = false;
  EXPECT_FALSE(sampler.sample());
  EXPECT_EQ(samples.size(), 2);
  EXPECT_EQ(manager().getSample(&sampler).region.x(), 2);

  sampler.reset();
  EXPECT_EQ(sampler.resets, 1);
  EXPECT_EQ(samples.size(), 3);
  EXPECT_TRUE(manager().getSample(&sampler).region.isNull());
}

} // namespace
