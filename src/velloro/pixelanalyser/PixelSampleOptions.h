#pragma once

#include <velloro/VelloroExport.h>

#include <KXImage/Channel.h>
#include <KXImage/ChannelSet.h>

#include <QMetaType>

#include <array>

namespace Velloro::PixelAnalyser {

// How a viewer's sampler is asked to sample. A plain value; the defaults are the options of a
// sampler nobody has set up.
struct VELLORO_EXPORT PixelSampleOptions {
  // Index of the mode menu.
  enum Mode { ePixelSelection = 0, eFullFrame = 1 };
  // The channel that orders min, max and median.
  enum Basis { eRed = 0, eGreen, eBlue, eAlpha, eHue, eSaturation, eValue, eLuminance };

  int mode = ePixelSelection;
  // Sampled pixels stay selected until cleared.
  bool accumulate = false;
  // The viewer marks the selected pixels.
  bool showSelection = true;
  int basis = eLuminance;
  // The median follows a region box while it is dragged, not only after mouse-up.
  bool liveMedian = false;
  // The channels to sample: the layer channels below.
  KX::Image::ChannelSet channels;
  // The chosen layer's first four channels (0 where it has fewer).
  std::array<KX::Image::Channel, 4> layerChannels{};

  bool operator==(const PixelSampleOptions& other) const;
  bool operator!=(const PixelSampleOptions& other) const { return !(*this == other); }
};

} // namespace Velloro::PixelAnalyser

Q_DECLARE_METATYPE(Velloro::PixelAnalyser::PixelSampleOptions)
