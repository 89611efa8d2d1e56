#pragma once

#include <QString>

namespace Velloro::Example {

// The example's own media, made on first run so that nothing has to be downloaded: a short
// left/right EXR sequence with rgba, depth and motion layers, and a small OpenColorIO
// configuration with two displays to view it through.
class SampleMedia {
public:
  static constexpr int kFirstFrame = 1;
  static constexpr int kLastFrame = 12;
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 270;

  explicit SampleMedia(const QString& folder);

  // Writes whatever is missing; false with the reason in error() when a file cannot be written.
  bool ensure();

  // "<folder>/shot.%V.####.exr": one file per view and frame.
  QString sequencePattern() const;
  QString configPath() const;
  const QString& error() const { return m_error; }

  // The linear rgba value written at a pixel of a frame and view, for checks against the files.
  static void SampleColour(int frame, bool right, int x, int y, float rgba[4]);

private:
  bool writeFrame(const QString& path, int frame, bool right);
  bool writeConfig();

  QString m_folder;
  QString m_error;
};

} // namespace Velloro::Example
