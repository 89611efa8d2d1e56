#include "DisplayPipeline.h"

#include <velloro/colour/ColorTransforms.h>
#include <velloro/colour/DisplayTransformName.h>
#include <velloro/colour/OCIOConfigManager.h>

#include <algorithm>

namespace Velloro::Example {

namespace OCIO = OCIO_NAMESPACE;

bool DisplayPipeline::loadConfig(const std::string& path) {
  m_config.reset();
  m_processor.reset();
  m_transforms.clear();
  m_transform.clear();
  m_error.clear();
  const auto info = Velloro::OpenColorIO::OCIOConfigManager::getConfigManager().loadConfig(path);
  if (!info.config || !info.isValid()) {
    m_error = QStringLiteral("Colour configuration %1 cannot be used: %2")
                  .arg(QString::fromStdString(path), QString::fromStdString(info.error));
    return false;
  }
  m_config = info.config;
  const Velloro::OpenColorIO::ColorTransforms transforms(m_config);
  m_transforms = transforms.getAvailableDisplayTransforms();
  if (m_transforms.empty()) {
    m_error =
        QStringLiteral("Colour configuration %1 has no display transform").arg(QString::fromStdString(path));
    m_config.reset();
    return false;
  }
  const std::string preferred = transforms.viewer();
  return setDisplayTransform(std::find(m_transforms.begin(), m_transforms.end(), preferred) !=
                                     m_transforms.end()
                                 ? preferred
                                 : m_transforms.front());
}

bool DisplayPipeline::setDisplayTransform(const std::string& name) {
  if (!m_config) {
    return false;
  }
  std::string display;
  std::string view;
  Velloro::OpenColorIO::GetDisplayAndViewFromDisplayTransformName(display, view, name);
  try {
    const auto processor = m_config->getProcessor(OCIO::ROLE_SCENE_LINEAR, display.c_str(), view.c_str(),
                                                  OCIO::TRANSFORM_DIR_FORWARD);
    m_processor = processor->getOptimizedCPUProcessor(OCIO::BIT_DEPTH_F32, OCIO::BIT_DEPTH_UINT8,
                                                      OCIO::OPTIMIZATION_DEFAULT);
    m_transform = name;
    m_error.clear();
    return true;
  } catch (const OCIO::Exception& failure) {
    m_error = QStringLiteral("Display transform %1 cannot be used: %2")
                  .arg(QString::fromStdString(name), QString::fromUtf8(failure.what()));
    return false;
  }
}

QImage DisplayPipeline::toDisplay(const float* rgba, int width, int height) const {
  QImage image(width, height, QImage::Format_RGBA8888);
  if (image.isNull()) {
    return image;
  }
  if (!m_processor) {
    for (int y = 0; y < height; ++y) {
      uchar* line = image.scanLine(y);
      const float* in = rgba + std::size_t(y) * std::size_t(width) * 4;
      for (int component = 0; component < width * 4; ++component) {
        line[component] = uchar(std::clamp(in[component], 0.0f, 1.0f) * 255.0f + 0.5f);
      }
    }
    return image;
  }
  // OpenColorIO reads but never writes the source; its descriptor just is not const-typed.
  OCIO::PackedImageDesc source(const_cast<float*>(rgba), width, height, 4);
  OCIO::PackedImageDesc target(image.bits(), width, height, OCIO::CHANNEL_ORDERING_RGBA,
                               OCIO::BIT_DEPTH_UINT8, 1, 4, image.bytesPerLine());
  m_processor->apply(source, target);
  return image;
}

} // namespace Velloro::Example
