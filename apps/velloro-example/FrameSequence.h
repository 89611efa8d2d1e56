#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace Velloro::Example {

// One frame of one view as read from its file: every channel, interleaved, in 32-bit float.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::string> channelNames;
  std::vector<float> pixels;
  // Why the frame could not be read; empty when it was.
  QString error;

  bool isValid() const { return error.isEmpty(); }
  // The layers, in file order: "rgba" for the unprefixed colour channels, "other" for other
  // unprefixed channels, and each prefix ("depth" for depth.Z).
  std::vector<std::string> layers() const;
  // Channel indices of a layer, red/green/blue/alpha first for "rgba".
  std::vector<int> layerChannels(const std::string& layer) const;
  // The layer as interleaved RGBA: one channel is shown grey, two as red and green, a missing
  // alpha as opaque. Empty when the frame has no such layer.
  std::vector<float> layerAsRgba(const std::string& layer) const;
  float value(int x, int y, int channel) const;
};

// A numbered image sequence on disk, optionally one per view: "%V" in the pattern stands for the
// view name, "%v" for its first letter, and a run of "#" for the zero-padded frame number.
//
// Threads: any, no shared state.
class FrameSequence {
public:
  FrameSequence() = default;
  explicit FrameSequence(const QString& pattern);

  const QString& pattern() const { return m_pattern; }
  bool isMultiView() const;
  QString framePath(const std::string& view, int frame) const;

  // Finds the first and last frame on disk for the view; false when there is none.
  bool findRange(const std::string& view, int& first, int& last) const;

  // Reads a whole frame; a failure is reported in the frame's error, never thrown.
  static std::shared_ptr<const Frame> Read(const QString& path);

private:
  QString m_pattern;
};

} // namespace Velloro::Example
