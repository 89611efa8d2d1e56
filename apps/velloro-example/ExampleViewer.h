#pragma once

#include "FrameSequence.h"

#include <velloro/viewerui/ViewerModelItem.h>

#include "LayerSampler.h"

#include <QObject>
#include <QPoint>

#include <map>
#include <memory>
#include <string>

namespace Velloro::Example {

class MainWindow;

// The example's viewer as the library's panels see it: registered with the viewers model while
// it lives, it offers the layers of the shown frame and a sampler over the shown layer, so that
// the pixel analyser reads the very values on screen.
//
// The sampler gets the frame's pixels only while a pixel analyser is on screen, so that playback
// with the panel hidden costs no copy.
//
// Threads: the GUI thread only.
class ExampleViewer : public QObject, public ViewerModelItem {
  Q_OBJECT
public:
  explicit ExampleViewer(MainWindow& window);
  ~ExampleViewer() override;

  // The frame now shown, and its layer by file name ("rgba", "depth").
  void frameShown(const std::shared_ptr<const Frame>& frame, const std::string& layer);
  void selectPixel(const QPoint& pixel);
  LayerSampler& sampler() { return m_sampler; }
  // The registry's layer for a layer of the file, made when the registry has none yet.
  static Image::LayerPtr RegistryLayer(const Frame& frame, const std::string& layer);

  QWidget* widget() override;
  QString title() const override;
  QList<Image::LayerPtr> layers() const override;
  Image::LayerPtr activeLayer() const override { return m_activeLayer; }
  QObject* qObject() override { return this; }
  void setActiveLayer(Image::LayerPtr layer) override;
  int currentFrame() const override;
  void setCurrentFrame(int frame) override;
  bool isPlaying() const override;
  void play(bool forwards) override;
  void stop() override;
  double zoom() const override { return 1.0; }
  void setZoom(double) override {}
  PixelAnalyser::PixelSampler* pixelSampler() override { return &m_sampler; }
  void fitToWindow() override {}
  QString displayTransform() const override;
  void setDisplayTransform(const QString& name) override;
  void requestRedraw() override;
  float exposure() const override { return 0.0f; }
  void setExposure(float) override {}
  float gamma() const override { return 1.0f; }
  void setGamma(float) override {}
  bool isWipeEnabled() const override { return false; }
  void setWipeEnabled(bool) override {}
  void showAnnotations(bool) override {}
  bool allowAnnotations() const override { return false; }

signals:
  void titleChanged();
  void activeLayerChanged(Velloro::Image::LayerPtr layer);

private:
  void updateSampler();

  MainWindow& m_window;
  LayerSampler m_sampler;
  std::shared_ptr<const Frame> m_frame;
  std::string m_layer;
  // Registry layer -> the file's layer name it stands for.
  std::map<Image::LayerPtr, std::string> m_layers;
  Image::LayerPtr m_activeLayer;
  QPoint m_selected{-1, -1};
  // The frame and layer the sampler holds.
  std::shared_ptr<const Frame> m_sampledFrame;
  std::string m_sampledLayer;
};

} // namespace Velloro::Example
