#pragma once

#include <OpenColorIO/OpenColorIO.h>

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace Velloro::Example {

// Turns scene-linear float RGBA into the 8-bit picture the viewer draws, through a display
// transform ("<display>/<view>") of the current OpenColorIO configuration. OpenColorIO's CPU
// processor writes the 8-bit values itself, so no second pass over the frame is needed.
//
// Threads: configure on the GUI thread; toDisplay() may then run on any thread.
class DisplayPipeline {
public:
  // Loads the configuration through the configuration manager and picks its default viewer
  // transform. False, with the reason in error(), when it cannot be used; the pipeline then
  // passes values through clamped, so the viewer still shows something.
  bool loadConfig(const std::string& path);

  const std::vector<std::string>& displayTransforms() const { return m_transforms; }
  const std::string& displayTransform() const { return m_transform; }
  bool setDisplayTransform(const std::string& name);
  const QString& error() const { return m_error; }

  QImage toDisplay(const float* rgba, int width, int height) const;

private:
  OCIO_NAMESPACE::ConstConfigRcPtr m_config;
  OCIO_NAMESPACE::ConstCPUProcessorRcPtr m_processor;
  std::vector<std::string> m_transforms;
  std::string m_transform;
  QString m_error;
};

} // namespace Velloro::Example
