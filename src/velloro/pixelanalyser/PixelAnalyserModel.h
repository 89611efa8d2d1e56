#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/pixelanalyser/PixelSampler.h>

#include <QObject>

#include <map>

namespace Velloro::PixelAnalyser {

// The options and the last sample of every sampler. A sampler joins the store when its options
// are first set and leaves it when it is destroyed (so that a new sampler at the same address
// starts afresh); until then it reads the default options and the empty sample, and its samples
// are dropped.
//
// Threads: the GUI thread only; the store has no lock.
class VELLORO_EXPORT PixelAnalyserModel : public QObject {
  Q_OBJECT

public:
  explicit PixelAnalyserModel(QObject* parent = nullptr);

  // True once the sampler's options have been set.
  bool contains(PixelSampler* sampler) const { return m_entries.count(sampler) > 0; }
  const PixelSample& getSample(PixelSampler* sampler) const;
  const PixelSampleOptions& getSampleOptions(PixelSampler* sampler) const;
  // Ignored for a null or unknown sampler.
  void setSample(PixelSampler* sampler, const PixelSample& sample);
  // Tells the sampler before the new options are announced; ignored for a null sampler.
  void setSampleOptions(PixelSampler* sampler, const PixelSampleOptions& options);

  static const PixelSample& EmptySample();
  static const PixelSampleOptions& DefaultOptions();

signals:
  void optionsChanged(Velloro::PixelAnalyser::PixelSampler* sampler,
                      const Velloro::PixelAnalyser::PixelSampleOptions& options);
  void sampleChanged(Velloro::PixelAnalyser::PixelSampler* sampler,
                     const Velloro::PixelAnalyser::PixelSample& sample);

private:
  friend class PixelSampler;
  // Called by a sampler's destructor.
  void forget(PixelSampler* sampler) { m_entries.erase(sampler); }

  struct Entry {
    PixelSampleOptions options;
    PixelSample sample;
  };
  std::map<PixelSampler*, Entry> m_entries;
};

} // namespace Velloro::PixelAnalyser
