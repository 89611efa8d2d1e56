#include <velloro/colour/ColorTransforms.h>

#include <velloro/colour/DisplayTransformName.h>
#include <velloro/colour/OCIOConfigManager.h>

#include <TesselOCIOUtility/DisplaysAndActiveViews.h>

namespace Velloro::OpenColorIO {

namespace OCIO = OCIO_NAMESPACE;

ColorTransforms::ColorTransforms(OCIO::ConstConfigRcPtr config)
    : m_config(std::move(config)) {
  if (m_config) {
    populateColorTransforms();
  }
}

void ColorTransforms::populateColorTransforms() {
  populateDisplayColorSpaces();
  populateColorspaces();
  populateDisplayTransforms();
  m_eightBitUsingFallback = setColorSpace(m_eightBit, OCIO::ROLE_MATTE_PAINT);
  m_sixteenBitUsingFallback = setColorSpace(m_sixteenBit, OCIO::ROLE_TEXTURE_PAINT);
  m_logUsingFallback = setColorSpace(m_log, OCIO::ROLE_COMPOSITING_LOG);
  m_floatingPointUsingFallback = setColorSpace(m_floatingPoint, OCIO::ROLE_SCENE_LINEAR);
  m_workingSpaceUsingFallback = setColorSpace(m_workingSpace, OCIO::ROLE_SCENE_LINEAR);
}

void ColorTransforms::populateColorspaces() {
  m_availableColorSpaces = OCIOConfigManager::getConfigManager().getCurrentConfig().menuEntries;
}

void ColorTransforms::populateDisplayColorSpaces() {
  const char* display = m_config->getDefaultDisplay();
  const std::string view = m_config->getDefaultView(display);
  const std::string defaultTransform = BuildDisplayTransformName(display, view);
  std::string monitorView = getMonitorOutView(display);
  if (monitorView.empty()) {
    monitorView = view;
  }
  m_viewer = defaultTransform;
  m_thumbnail = defaultTransform;
  m_monitorOut = BuildDisplayTransformName(display, monitorView);
}

void ColorTransforms::populateDisplayTransforms() {
  m_availableDisplayTransforms.clear();
  for (const auto& [display, views] : Tessel::OCIOUtility::getDisplaysAndActiveViews(m_config)) {
    for (const std::string& view : views) {
      std::string name = BuildDisplayTransformName(display, view);
      if (!name.empty()) {
        m_availableDisplayTransforms.push_back(std::move(name));
      }
    }
  }
}

bool ColorTransforms::setColorSpace(std::string& target, const char* role) const {
  // The manager answers with the role name itself whenever roles are shown, even for a role this
  // configuration lacks; so ask the configuration first whether the role leads anywhere.
  if (!getColorSpaceFromRole(role).empty()) {
    target = OCIOConfigManager::getConfigManager().getColorspaceFromRole(role);
    return false;
  }
  target = getColorSpaceFromDefault();
  if (target.empty()) {
    target = getColorSpaceFromFirst();
  }
  return true;
}

std::string ColorTransforms::getColorSpaceFromRole(const char* role) const {
  if (!m_config->hasRole(role)) {
    return {};
  }
  const OCIO::ConstColorSpaceRcPtr colorSpace = m_config->getColorSpace(role);
  return colorSpace ? colorSpace->getName() : std::string();
}

std::string ColorTransforms::getColorSpaceFromFirst() const {
  return m_config->getColorSpaceNameByIndex(0);
}

std::string ColorTransforms::getColorSpaceFromDefault() const {
  return getColorSpaceFromRole(OCIO::ROLE_DEFAULT);
}

std::string ColorTransforms::getMonitorOutView(const char* display) const {
  const int viewCount = m_config->getNumViews(display);
  // An exact name wins over an earlier view that merely mentions Rec.709.
  for (int index = 0; index < viewCount; ++index) {
    const std::string view = m_config->getView(display, index);
    if (view == "rec709" || view == "Rec.709") {
      return view;
    }
  }
  for (int index = 0; index < viewCount; ++index) {
    const std::string view = m_config->getView(display, index);
    if (view.find("rec709") != std::string::npos || view.find("Rec.709") != std::string::npos) {
      return view;
    }
  }
  return {};
}

std::string ColorTransforms::getDefaultLUT(LUTDataType type) const {
  switch (type) {
  case Thumbnail:
    return m_thumbnail;
  case EightBit:
    return m_eightBit;
  case SixteenBit:
    return m_sixteenBit;
  case Log:
    return m_log;
  case FloatingPoint:
    return m_floatingPoint;
  case WorkingSpace:
    return m_workingSpace;
  }
  return {};
}

bool ColorTransforms::isUsingFallbacks() const {
  return m_eightBitUsingFallback || m_sixteenBitUsingFallback || m_logUsingFallback ||
         m_floatingPointUsingFallback || m_workingSpaceUsingFallback;
}

bool ColorTransforms::WarnOnUsingFallbacks(const ColorTransforms& transforms, QString& title,
                                           QString& details) {
  if (!transforms.isUsingFallbacks()) {
    return false;
  }
  details.clear();
  const std::pair<bool, const char*> lines[] = {{transforms.m_eightBitUsingFallback, "8bit"},
                                                {transforms.m_sixteenBitUsingFallback, "16bit"},
                                                {transforms.m_logUsingFallback, "log"},
                                                {transforms.m_floatingPointUsingFallback, "floating point"}};
  for (const auto& [usingFallback, label] : lines) {
    if (usingFallback) {
      details += QString::fromLatin1(label) + QLatin1Char('\n');
    }
  }
  title = QStringLiteral("Could not use desired colorspaces for the following transforms. Please check their "
                         "chosen defaults");
  return true;
}

} // namespace Velloro::OpenColorIO
