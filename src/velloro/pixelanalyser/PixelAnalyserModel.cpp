#include <velloro/pixelanalyser/PixelAnalyserModel.h>

#include <velloro/pixelanalyser/PixelSampler.h>

namespace Velloro::PixelAnalyser {

PixelAnalyserModel::PixelAnalyserModel(QObject* parent)
    : QObject(parent) {}

const PixelSample& PixelAnalyserModel::EmptySample() {
  static const PixelSample sEmpty;
  return sEmpty;
}

const PixelSampleOptions& PixelAnalyserModel::DefaultOptions() {
  static const PixelSampleOptions sDefaults;
  return sDefaults;
}

const PixelSample& PixelAnalyserModel::getSample(PixelSampler* sampler) const {
  const auto found = m_entries.find(sampler);
  return found == m_entries.end() ? EmptySample() : found->second.sample;
}

const PixelSampleOptions& PixelAnalyserModel::getSampleOptions(PixelSampler* sampler) const {
  const auto found = m_entries.find(sampler);
  return found == m_entries.end() ? DefaultOptions() : found->second.options;
}

void PixelAnalyserModel::setSample(PixelSampler* sampler, const PixelSample& sample) {
  const auto found = m_entries.find(sampler);
  if (found == m_entries.end()) {
    return;
  }
  found->second.sample = sample;
  emit sampleChanged(sampler, found->second.sample);
}

void PixelAnalyserModel::setSampleOptions(PixelSampler* sampler, const PixelSampleOptions& options) {
  if (!sampler) {
    return;
  }
  const auto [entry, added] = m_entries.try_emplace(sampler);
  const PixelSampleOptions oldOptions = added ? DefaultOptions() : entry->second.options;
  entry->second.options = options;
  sampler->sampleOptionsChanged(oldOptions, options);
  emit optionsChanged(sampler, options);
}

} // namespace Velloro::PixelAnalyser
