#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/image/Layer.h>

#include <QList>
#include <QString>

class QObject;
class QWidget;

namespace Velloro::PixelAnalyser {
class PixelSampler;
}

namespace Velloro {

// One of the host's open viewers, as the library sees it. The host implements it and registers
// each viewer with ViewersModel::Instance() on creation, and removes it before destruction.
//
// The library itself calls title(), layers(), activeLayer(), qObject() and pixelSampler(); the
// rest belongs to the host's viewer and is called elsewhere in the application. The object that
// qObject() returns emits titleChanged() when the title changes and
// activeLayerChanged(Velloro::Image::LayerPtr) when the viewer shows another layer.
//
// Threads: the GUI thread only.
class VELLORO_EXPORT ViewerModelItem {
public:
  virtual ~ViewerModelItem();

  // The widget that draws the viewer.
  virtual QWidget* widget() = 0;
  virtual QString title() const = 0;
  // Every layer of the image the viewer shows.
  virtual QList<Image::LayerPtr> layers() const = 0;
  // The layer the viewer shows.
  virtual Image::LayerPtr activeLayer() const = 0;
  // The viewer as a QObject, or null when it is not one.
  virtual QObject* qObject() = 0;
  virtual void setActiveLayer(Image::LayerPtr layer) = 0;
  virtual int currentFrame() const = 0;
  virtual void setCurrentFrame(int frame) = 0;
  virtual bool isPlaying() const = 0;
  virtual void play(bool forwards) = 0;
  virtual void stop() = 0;
  virtual double zoom() const = 0;
  virtual void setZoom(double zoom) = 0;
  // The sampler that reads the viewer's pixels for the pixel analyser.
  virtual PixelAnalyser::PixelSampler* pixelSampler() = 0;
  virtual void fitToWindow() = 0;
  virtual QString displayTransform() const = 0;
  virtual void setDisplayTransform(const QString& name) = 0;
  virtual void requestRedraw() = 0;

  // True while the viewer wants its panels to stop redrawing.
  virtual bool blockGUIUpdates() const;

  virtual float exposure() const = 0;
  virtual void setExposure(float stops) = 0;
  virtual float gamma() const = 0;
  virtual void setGamma(float gamma) = 0;
  virtual bool isWipeEnabled() const = 0;
  virtual void setWipeEnabled(bool enabled) = 0;
  virtual void showAnnotations(bool show) = 0;

  // False for viewers that cannot carry annotations.
  virtual bool allowAnnotations() const;
};

} // namespace Velloro
