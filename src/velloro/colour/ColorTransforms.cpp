#include <velloro/colour/ColorTransforms.h>

#include <velloro/colour/DisplayTransformName.h>
#include <velloro/colour/OCIOConfigManager.h>

#include <TesselOCIOUtility/DisplaysAndActiveViews.h>

namespace Velloro::OpenColorIO {

namespace OCIO = OCIO_NAMESPACE;

ColorTransforms::ColorTransforms(OCIO::ConstConfigRcPtr config)
    : _config(std::move(config)) {
  if (_config) {
    populateColorTransforms();
  }
}

void ColorTransforms::populateColorTransforms() {
  populateDisplayColorSpaces();
  populateColorspaces();
  populateDisplayTransforms();
  _eightBitUsingFallback = setColorSpace(_eightBit, OCIO::ROLE_MATTE_PAINT);
  _sixteenBitUsingFallback = setColorSpace(_sixteenBit, OCIO::ROLE_TEXTURE_PAINT);
  _logUsingFallback = setColorSpace(_log, OCIO::ROLE_COMPOSITING_LOG);
  _floatingPointUsingFallback = setColorSpace(_floatingPoint, OCIO::ROLE_SCENE_LINEAR);
  _workingSpaceUsingFallback = setColorSpace(_workingSpace, OCIO::ROLE_SCENE_LINEAR);
}

void ColorTransforms::populateColorspaces() {
  _availableColorSpaces = OCIOConfigManager::getConfigManager().getCurrentConfig().menuEntries;
}

void ColorTransforms::populateDisplayColorSpaces() {
  const char* display = _config->getDefaultDisplay();
  const std::string view = _config->getDefaultView(display);
  const std::string defaultTransform = BuildDisplayTransformName(display, view);
  std::string monitorView = getMonitorOutView(display);
  if (monitorView.empty()) {
    monitorView = view;
  }
  _viewer = defaultTransform;
  _thumbnail = defaultTransform;
  _monitorOut = BuildDisplayTransformName(display, monitorView);
}

void ColorTransforms::populateDisplayTransforms() {
  _availableDisplayTransforms.clear();
  for (const auto& [display, views] : Tessel::OCIOUtility::getDisplaysAndActiveViews(_config)) {
    for (const std::string& view : views) {
      std::string name = BuildDisplayTransformName(display, view);
      if (!name.empty()) {
        _availableDisplayTransforms.push_back(std::move(name));
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
  if (!_config->hasRole(role)) {
    return {};
  }
  const OCIO::ConstColorSpaceRcPtr colorSpace = _config->getColorSpace(role);
  return colorSpace ? colorSpace->getName() : std::string();
}

std::string ColorTransforms::getColorSpaceFromFirst() const {
  return _config->getColorSpaceNameByIndex(0);
}

std::string ColorTransforms::getColorSpaceFromDefault() const {
  return getColorSpaceFromRole(OCIO::ROLE_DEFAULT);
}

std::string ColorTransforms::getMonitorOutView(const char* display) const {
  const int viewCount = _config->getNumViews(display);
  // An exact name wins over an earlier view that merely mentions Rec.709.
  for (int index = 0; index < viewCount; ++index) {
    const std::string view = _config->getView(display, index);
    if (view == "rec709" || view == "Rec.709") {
      return view;
    }
  }
  for (int index = 0; index < viewCount; ++index) {
    const std::string view = _config->getView(display, index);
    if (view.find("rec709") != std::string::npos || view.find("Rec.709") != std::string::npos) {
      return view;
    }
  }
  return {};
}

std::string ColorTransforms::getDefaultLUT(LUTDataType type) const {
  switch (type) {
  case Thumbnail:
    return _thumbnail;
  case EightBit:
    return _eightBit;
  case SixteenBit:
    return _sixteenBit;
  case Log:
    return _log;
  case FloatingPoint:
    return _floatingPoint;
  case WorkingSpace:
    return _workingSpace;
  }
  return {};
}

bool ColorTransforms::isUsingFallbacks() const {
  return _eightBitUsingFallback || _sixteenBitUsingFallback || _logUsingFallback ||
         _floatingPointUsingFallback || _workingSpaceUsingFallback;
}

bool ColorTransforms::WarnOnUsingFallbacks(const ColorTransforms& transforms, QString& title,
                                           QString& details) {
  if (!transforms.isUsingFallbacks()) {
    return false;
  }
  details.clear();
  const std::pair<bool, const char*> lines[] = {{transforms._eightBitUsingFallback, "8bit"},
                                                {transforms._sixteenBitUsingFallback, "16bit"},
                                                {transforms._logUsingFallback, "log"},
                                                {transforms._floatingPointUsingFallback, "floating point"}};
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
