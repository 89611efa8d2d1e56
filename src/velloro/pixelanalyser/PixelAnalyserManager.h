#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/pixelanalyser/PixelAnalyserModel.h>

#include <QObject>

#include <set>

namespace Velloro::PixelAnalyser {

class PixelAnalyserWidget;
class PixelSampler;

// Makes the analyser panels, keeps every sampler's options and last sample, and tells the host
// whether any panel is on screen, so that viewers sample only while someone looks.
//
// Threads: the GUI thread only; the first Get() must happen there.
class VELLORO_EXPORT PixelAnalyserManager : public QObject {
  Q_OBJECT

public:
  static PixelAnalyserManager& Get();

  PixelAnalyserManager(const PixelAnalyserManager&) = delete;
  PixelAnalyserManager& operator=(const PixelAnalyserManager&) = delete;

  // A new panel without parent, following the store; the caller owns it.
  PixelAnalyserWidget* createPixelAnalyserWidget();
  bool anyPixelAnalyserVisible() const { return !m_visiblePanels.empty(); }

  PixelAnalyserModel& model() { return m_model; }
  const PixelSample& getSample(PixelSampler* sampler) const { return m_model.getSample(sampler); }
  const PixelSampleOptions& getSampleOptions(PixelSampler* sampler) const {
    return m_model.getSampleOptions(sampler);
  }
  void setSample(PixelSampler* sampler, const PixelSample& sample) { m_model.setSample(sampler, sample); }
  void setSampleOptions(PixelSampler* sampler, const PixelSampleOptions& options) {
    m_model.setSampleOptions(sampler, options);
  }

signals:
  // True when the first panel is shown, false when the last shown panel is hidden or destroyed.
  void visibiltyChanged(bool visible);

private:
  PixelAnalyserManager() = default;

  bool eventFilter(QObject* watched, QEvent* event) override;
  void panelGone(QObject* panel);

  PixelAnalyserModel m_model;
  std::set<PixelAnalyserWidget*> m_visiblePanels;
};

} // namespace Velloro::PixelAnalyser
