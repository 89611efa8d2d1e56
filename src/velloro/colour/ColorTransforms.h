#pragma once

#include <velloro/VelloroExport.h>

#include <OpenColorIO/OpenColorIO.h>

#include <QString>

#include <string>
#include <vector>

namespace Velloro::OpenColorIO {

// The default transforms the application takes from one OpenColorIO configuration: display
// transforms for the viewer, thumbnails and the monitor output, and default colour spaces for
// 8-bit, 16-bit, log and floating-point images and for the working space, with the lists the user
// may choose others from. A value computed once at construction; a new configuration needs a new
// object. The colour-space list and the role answers come from the configuration manager's
// current configuration, which is expected to be the one given.
//
// Threads: build and read on one thread (the GUI thread), as the configuration manager is used.
class VELLORO_EXPORT ColorTransforms {
public:
  enum LUTDataType {
    Thumbnail = 0,
    EightBit = 1,
    SixteenBit = 2,
    Log = 3,
    FloatingPoint = 4,
    WorkingSpace = 5
  };

  // With a null configuration every string and list is empty and no fallback is reported.
  explicit ColorTransforms(OCIO_NAMESPACE::ConstConfigRcPtr config);

  std::string viewer() const { return m_viewer; }
  std::string thumbnail() const { return m_thumbnail; }
  std::string monitorOut() const { return m_monitorOut; }
  std::string eightBit() const { return m_eightBit; }
  std::string sixteenBit() const { return m_sixteenBit; }
  std::string log() const { return m_log; }
  std::string floatingPoint() const { return m_floatingPoint; }
  std::string workingSpace() const { return m_workingSpace; }

  // The default for a kind of data; empty for a value outside LUTDataType.
  std::string getDefaultLUT(LUTDataType type) const;

  // The current configuration's colour-space menu entries.
  const std::vector<std::string>& getAvailableColorspaces() const { return m_availableColorSpaces; }
  // One display transform name per display and active view.
  const std::vector<std::string>& getAvailableDisplayTransforms() const {
    return m_availableDisplayTransforms;
  }

  // Whether a default could not be taken from its role and fell back to the default role or the
  // first colour space.
  bool isEightBitUsingFallback() const { return m_eightBitUsingFallback; }
  bool isSixteenBitUsingFallback() const { return m_sixteenBitUsingFallback; }
  bool isLogUsingFallback() const { return m_logUsingFallback; }
  bool isFloatingPointUsingFallback() const { return m_floatingPointUsingFallback; }
  bool isWorkingSpaceUsingFallback() const { return m_workingSpaceUsingFallback; }
  bool isUsingFallbacks() const;

  // When any default fell back: sets a title and one line per image default that fell back
  // ("8bit", "16bit", "log", "floating point"; the working space has none) and returns true.
  // Otherwise returns false and leaves both texts alone.
  static bool WarnOnUsingFallbacks(const ColorTransforms& transforms, QString& title, QString& details);

private:
  // The floating-point and working-space flags come from the same role and always agree; the
  // tests reach the other combinations the warning must handle through this peer.
  friend struct ColorTransformsTestPeer;

  void populateColorTransforms();
  void populateColorspaces();
  void populateDisplayColorSpaces();
  void populateDisplayTransforms();
  bool setColorSpace(std::string& target, const char* role) const;
  std::string getColorSpaceFromRole(const char* role) const;
  std::string getColorSpaceFromFirst() const;
  std::string getColorSpaceFromDefault() const;
  std::string getMonitorOutView(const char* display) const;

  OCIO_NAMESPACE::ConstConfigRcPtr m_config;
  std::vector<std::string> m_availableColorSpaces;
  std::vector<std::string> m_availableDisplayTransforms;
  std::string m_viewer;
  std::string m_thumbnail;
  std::string m_monitorOut;
  std::string m_eightBit;
  std::string m_sixteenBit;
  std::string m_log;
  std::string m_floatingPoint;
  std::string m_workingSpace;
  bool m_eightBitUsingFallback = false;
  bool m_sixteenBitUsingFallback = false;
  bool m_logUsingFallback = false;
  bool m_floatingPointUsingFallback = false;
  bool m_workingSpaceUsingFallback = false;
};

} // namespace Velloro::OpenColorIO
