#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/image/Layer.h>
#include <velloro/pixelanalyser/PixelSampler.h>

#include <QMetaObject>
#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace Tessel::UI {
class ColorSampleButton;
class DoubleSpinBox;
} // namespace Tessel::UI

namespace Velloro {
class ViewerModelItem;
class ViewerSortProxyModel;
} // namespace Velloro

namespace Velloro::PixelAnalyser {

// The pixel analyser panel: the user picks a viewer and a layer, a selection mode and options,
// and reads five swatches (current, min, max, average, median) with the values of the chosen
// one in the chosen range, and the selection's position and size. It computes nothing: it writes
// the viewer's sampler options into PixelAnalyserManager's store and shows what the sampler
// stored there, so every panel on one viewer shows the same. Made by
// PixelAnalyserManager::createPixelAnalyserWidget().
//
// Threads: the GUI thread only.
class VELLORO_EXPORT PixelAnalyserWidget : public QWidget {
  Q_OBJECT

public:
  explicit PixelAnalyserWidget(QWidget* parent = nullptr);
  ~PixelAnalyserWidget() override;

  ViewerModelItem* viewer() const { return m_viewer; }

public slots:
  void sampleChanged(Velloro::PixelAnalyser::PixelSampler* sampler,
                     const Velloro::PixelAnalyser::PixelSample& sample);
  void sampleOptionsChanged(Velloro::PixelAnalyser::PixelSampler* sampler,
                            const Velloro::PixelAnalyser::PixelSampleOptions& options);
  void viewerChanged();
  void layerChanged(int index);
  void activeLayerChanged(Velloro::Image::LayerPtr layer);
  void sampleButtonToggled(bool checked);
  void sampleModeChanged(int mode);
  void accumulateStateChanged(int checkState);
  void showSamplePixelsStateChanged(int checkState);
  void colourRangeSelectionChanged(int range);
  void basisChanged(int basis);
  void medianSamplingStateChanged(int checkState);
  void resetSamplesClicked();

private:
  PixelSampler* sampler() const;
  PixelSampleOptions currentOptions() const;
  // Stores the options for the current viewer's sampler; does nothing without a viewer.
  void storeOptions(const PixelSampleOptions& options);
  void refreshControls(const PixelSampleOptions& options);
  void refreshValues();
  // True when the list ends on "current layer".
  bool rebuildLayerList();
  void applyLayer(const Image::LayerPtr& layer);
  void enableSelectionControls(int mode);

  ViewerModelItem* m_viewer = nullptr;
  QMetaObject::Connection m_activeLayerConnection;

  QButtonGroup* m_swatchGroup;
  std::array<Tessel::UI::ColorSampleButton*, 5> m_swatches{};
  ViewerSortProxyModel* m_viewerList;
  QComboBox* m_viewerCombo;
  QComboBox* m_layerCombo;
  QComboBox* m_modeCombo;
  QCheckBox* m_accumulate;
  QCheckBox* m_showSelection;
  // r, g, b, a, h, s, v, l.
  std::array<Tessel::UI::DoubleSpinBox*, 8> m_valueBoxes{};
  // x, y, w, h.
  std::array<Tessel::UI::DoubleSpinBox*, 4> m_regionBoxes{};
  QPushButton* m_clearSelection;
  QComboBox* m_rangeCombo;
  QComboBox* m_basisCombo;
  QCheckBox* m_liveMedian;
};

} // namespace Velloro::PixelAnalyser
