#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelSampler.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <optional>
#include <vector>

using namespace Velloro::PixelAnalyser;

namespace {

// Moves the current pixel one step right on each change and records what it was told.
class StepSampler : public PixelSampler {
public:
  bool computeSample(const PixelSampleOptions& options, PixelSample& sample) override {
    seenBases.push_back(options.basis);
    seenX.push_back(sample.region.x());
    if (changes) {
      sample.region = QRect(sample.region.x() + 1, 0, 1, 1);
    }
    return changes;
  }
  void resetSampling() override { ++resets; }

  bool changes = true;
  int resets = 0;
  std::vector<int> seenBases;
  std::vector<int> seenX;
  std::vector<std::pair<int, int>> optionChanges; // old and new basis

private:
  void sampleOptionsChanged(const PixelSampleOptions& oldOptions,
                            const PixelSampleOptions& newOptions) override {
    optionChanges.emplace_back(oldOptions.basis, newOptions.basis);
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
  const PixelSampleOptions& defaults = manager().getSampleOptions(&sampler);
  EXPECT_EQ(defaults.mode, 0);
  EXPECT_FALSE(defaults.accumulate);
  EXPECT_TRUE(defaults.showSelection);
  EXPECT_EQ(defaults.basis, 7);
  EXPECT_FALSE(defaults.liveMedian);
  EXPECT_TRUE(defaults.channels.empty());

  PixelSample sample;
  sample.region = QRect(1, 2, 3, 4);
  manager().setSample(&sampler, sample);
  sampler.sample();
  EXPECT_TRUE(samples.isEmpty());
  EXPECT_TRUE(manager().getSample(&sampler).region.isNull());
  EXPECT_TRUE(manager().getSample(nullptr).region.isNull());

  manager().setSampleOptions(nullptr, basis(2));
  EXPECT_EQ(manager().getSampleOptions(nullptr).basis, 7);

  // A destroyed sampler leaves nothing behind for a new one at the same address.
  std::optional<StepSampler> slot(std::in_place);
  manager().setSampleOptions(&*slot, basis(2));
  slot.emplace();
  EXPECT_EQ(manager().getSampleOptions(&*slot).basis, 7);
}

TEST(PixelSamplerTest, OptionsAreAnnouncedAfterTheSamplerIsTold) {
  StepSampler sampler;
  std::vector<std::string> order;
  QObject context;
  QObject::connect(&manager().model(), &PixelAnalyserModel::optionsChanged, &context,
                   [&](PixelSampler* changed, const PixelSampleOptions& options) {
                     EXPECT_EQ(changed, &sampler);
                     order.push_back("signal " + std::to_string(options.basis) + " after " +
                                     std::to_string(sampler.optionChanges.size()) + " calls");
                   });
  manager().setSampleOptions(&sampler, basis(2));
  manager().setSampleOptions(&sampler, basis(5));
  EXPECT_EQ(sampler.optionChanges, (std::vector<std::pair<int, int>>{{7, 2}, {2, 5}}));
  EXPECT_EQ(order, (std::vector<std::string>{"signal 2 after 1 calls", "signal 5 after 2 calls"}));
  EXPECT_EQ(manager().getSampleOptions(&sampler).basis, 5);
}

TEST(PixelSamplerTest, SamplingStoresOnlyChangedSamplesAndResetEmptiesTheStore) {
  StepSampler sampler;
  manager().setSampleOptions(&sampler, basis(3));
  QSignalSpy samples(&manager().model(), &PixelAnalyserModel::sampleChanged);

  EXPECT_TRUE(sampler.sample());
  EXPECT_TRUE(sampler.sample());
  ASSERT_EQ(samples.size(), 2);
  EXPECT_EQ(samples[1][1].value<PixelSample>().region.x(), 2);
  // Each pass starts from the stored sample, with the stored options.
  EXPECT_EQ(sampler.seenX, (std::vector<int>{0, 1}));
  EXPECT_EQ(sampler.seenBases, (std::vector<int>{3, 3}));

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
