#include "ExampleViewer.h"

#include "MainWindow.h"
#include "PlaybackPanel.h"
#include "ViewerWidget.h"

#include <velloro/image/ChannelDesc.h>
#include <velloro/image/Layer.h>
#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/viewerui/ViewersModel.h>

namespace Velloro::Example {

ExampleViewer::ExampleViewer(MainWindow& window)
    : m_window(window) {
  ViewersModel::Instance().addViewer(this);
  ViewersModel::Instance().setActiveViewer(this);
  connect(&PixelAnalyser::PixelAnalyserManager::Get(), &PixelAnalyser::PixelAnalyserManager::visibiltyChanged,
          this, [this](bool visible) {
            if (visible) {
              updateSampler();
            }
          });
}

ExampleViewer::~ExampleViewer() {
  ViewersModel::Instance().removeViewer(this);
}

Image::LayerPtr ExampleViewer::RegistryLayer(const Frame& frame, const std::string& layer) {
  if (layer == "rgba") {
    return Image::rgbaLayer;
  }
  // Filing the channels makes their layer known to the registry, as the image SDK does for a
  // file it reads.
  std::string owner;
  for (const int channel : frame.layerChannels(layer)) {
    const auto descriptor =
        Image::ChannelDesc::create(frame.channelNames[std::size_t(channel)].c_str(), true);
    if (owner.empty() && descriptor) {
      owner = Image::ChannelDesc::LayerName(
          Image::ChannelDesc::RemapName(frame.channelNames[std::size_t(channel)]));
    }
  }
  Image::LayerPtr found = Image::Layer::get((owner.empty() ? layer : owner).c_str());
  return found ? found : Image::Layer::create(layer.c_str());
}

void ExampleViewer::frameShown(const std::shared_ptr<const Frame>& frame, const std::string& layer) {
  const bool layersChanged = !m_frame || !frame || m_frame->channelNames != frame->channelNames;
  m_frame = frame;
  m_layer = layer;
  if (layersChanged) {
    m_layers.clear();
    if (frame && frame->isValid()) {
      for (const std::string& name : frame->layers()) {
        m_layers.emplace(RegistryLayer(*frame, name), name);
      }
    }
  }
  Image::LayerPtr active;
  for (const auto& [registered, name] : m_layers) {
    if (name == layer) {
      active = registered;
    }
  }
  if (active != m_activeLayer) {
    m_activeLayer = active;
    emit activeLayerChanged(active);
  }
  updateSampler();
}

void ExampleViewer::selectPixel(const QPoint& pixel) {
  m_selected = pixel;
  m_sampler.selectPixel(pixel);
  updateSampler();
}

void ExampleViewer::updateSampler() {
  if (!PixelAnalyser::PixelAnalyserManager::Get().anyPixelAnalyserVisible() || m_selected.x() < 0) {
    return;
  }
  if (m_frame != m_sampledFrame || m_layer != m_sampledLayer) {
    m_sampledFrame = m_frame;
    m_sampledLayer = m_layer;
    OIIO::ImageBuf image;
    if (m_frame && m_frame->isValid()) {
      const std::vector<float> rgba = m_frame->layerAsRgba(m_layer);
      image.reset(OIIO::ImageSpec(m_frame->width, m_frame->height, 4, OIIO::TypeDesc::FLOAT));
      image.set_pixels(image.roi(), OIIO::TypeDesc::FLOAT, rgba.data());
    }
    m_sampler.setImage(std::move(image));
  }
  m_sampler.sample();
}

QWidget* ExampleViewer::widget() {
  return m_window.viewer();
}

QString ExampleViewer::title() const {
  return QStringLiteral("Viewer1");
}

QList<Image::LayerPtr> ExampleViewer::layers() const {
  QList<Image::LayerPtr> result;
  if (m_frame) {
    // In the file's order, not the map's.
    for (const std::string& name : m_frame->layers()) {
      for (const auto& [registered, fileName] : m_layers) {
        if (fileName == name) {
          result.push_back(registered);
        }
      }
    }
  }
  return result;
}

void ExampleViewer::setActiveLayer(Image::LayerPtr layer) {
  const auto found = m_layers.find(layer);
  if (found != m_layers.end()) {
    m_window.setLayer(QString::fromStdString(found->second));
  }
}

int ExampleViewer::currentFrame() const {
  return m_window.playback()->frame();
}
void ExampleViewer::setCurrentFrame(int frame) {
  m_window.playback()->setFrame(frame);
}
bool ExampleViewer::isPlaying() const {
  return m_window.playback()->isPlaying();
}
void ExampleViewer::play(bool) {
  m_window.playback()->play();
}
void ExampleViewer::stop() {
  m_window.playback()->stop();
}
QString ExampleViewer::displayTransform() const {
  return m_window.displayTransform();
}
void ExampleViewer::setDisplayTransform(const QString& name) {
  m_window.setDisplayTransform(name);
}
void ExampleViewer::requestRedraw() {
  m_window.viewer()->update();
}

} // namespace Velloro::Example
