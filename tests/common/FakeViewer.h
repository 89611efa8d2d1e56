#pragma once

#include <velloro/image/Layer.h>
#include <velloro/viewerui/ViewerModelItem.h>

#include <QObject>

// A host viewer for tests: a title, layers and a sampler, and the two signals the library
// listens to. Everything else does nothing.
class FakeViewer : public QObject, public Velloro::ViewerModelItem {
  Q_OBJECT

public:
  explicit FakeViewer(QString title, Velloro::PixelAnalyser::PixelSampler* sampler = nullptr)
      : m_title(std::move(title))
      , m_sampler(sampler) {}

  void rename(const QString& title) {
    m_title = title;
    emit titleChanged();
  }
  void setLayers(QList<Velloro::Image::LayerPtr> layers) { m_layers = std::move(layers); }
  void setActiveLayer(Velloro::Image::LayerPtr layer) override {
    m_activeLayer = layer;
    emit activeLayerChanged(layer);
  }

  QString title() const override { return m_title; }
  QList<Velloro::Image::LayerPtr> layers() const override { return m_layers; }
  Velloro::Image::LayerPtr activeLayer() const override { return m_activeLayer; }
  QObject* qObject() override { return this; }
  Velloro::PixelAnalyser::PixelSampler* pixelSampler() override { return m_sampler; }

  QWidget* widget() override { return nullptr; }
  int currentFrame() const override { return 0; }
  void setCurrentFrame(int) override {}
  bool isPlaying() const override { return false; }
  void play(bool) override {}
  void stop() override {}
  double zoom() const override { return 1; }
  void setZoom(double) override {}
  void fitToWindow() override {}
  QString displayTransform() const override { return {}; }
  void setDisplayTransform(const QString&) override {}
  void requestRedraw() override {}
  float exposure() const override { return 0; }
  void setExposure(float) override {}
  float gamma() const override { return 1; }
  void setGamma(float) override {}
  bool isWipeEnabled() const override { return false; }
  void setWipeEnabled(bool) override {}
  void showAnnotations(bool) override {}

signals:
  void titleChanged();
  void activeLayerChanged(Velloro::Image::LayerPtr layer);

private:
  QString m_title;
  Velloro::PixelAnalyser::PixelSampler* m_sampler;
  QList<Velloro::Image::LayerPtr> m_layers;
  Velloro::Image::LayerPtr m_activeLayer;
};
