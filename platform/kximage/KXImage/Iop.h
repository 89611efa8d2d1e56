#pragma once

#include <KXImage/ChannelSet.h>
#include <KXImage/Format.h>
#include <KXImage/KXImageExport.h>
#include <KXImage/Op.h>

#include <functional>
#include <vector>

namespace KX::Image {

class GPUContext;
class Row;

// A whole image in memory: four float channels (red, green, blue, alpha) per pixel, rows from
// the bottom (row 0) up, each row the format's width.
struct KXIMAGE_EXPORT ImagePlane {
  Format format;
  std::vector<float> pixels;

  ImagePlane() = default;
  explicit ImagePlane(const Format& format);
  int width() const { return format.width(); }
  int height() const { return format.height(); }
  float* pixel(int x, int y) {
    return pixels.data() + (std::size_t(y) * std::size_t(width()) + std::size_t(x)) * 4;
  }
  const float* pixel(int x, int y) const {
    return pixels.data() + (std::size_t(y) * std::size_t(width()) + std::size_t(x)) * 4;
  }
};

// An op that makes an image: a format, a frame range, the channels it holds, and rows produced
// on demand by engine(). A GPU-capable op also offers GLSL text (see GPUContext).
//
// Threads: after validate() on the editing thread, get() and engine() may run for different
// rows on several threads at once; they must only read the op's state.
class KXIMAGE_EXPORT Iop : public Op {
public:
  explicit Iop(Node* node = nullptr);

  const Format& format() const { return m_format; }
  const ChannelSet& channels() const { return m_channels; }
  int firstFrame() const { return m_firstFrame; }
  int lastFrame() const { return m_lastFrame; }

  // The input as an image op, or null.
  Iop* inputIop(int index = 0) const;

  // Fills row with the columns x to r of row y; rows and columns outside the format are zeros.
  void get(int y, int x, int r, const ChannelSet& channels, Row& row);

  // Renders every row of the (validated) image, spreading the rows over several threads.
  ImagePlane renderImage();
  // Runs work(y) for every row from begin to end (end excluded) on several threads.
  static void ForEachRow(int begin, int end, const std::function<void(int y)>& work);

  // GPU side: GLSL declarations and body with "$$" where the op's prefix goes (null when the op
  // has no GPU path), and the binding of the op's uniforms before drawing.
  virtual const char* gpuEngine_decl() const { return nullptr; }
  virtual const char* gpuEngine_body() const { return nullptr; }
  virtual void gpuEngine_GL_begin(GPUContext* context);

protected:
  // Takes the input's format, frame range and channels (or an empty 0 x 0 image without input).
  void _validate(bool forReal) override;
  virtual void engine(int y, int x, int r, const ChannelSet& channels, Row& row) = 0;

  void setFormat(const Format& format) { m_format = format; }
  void setFrameRange(int first, int last);
  void setChannels(const ChannelSet& channels) { m_channels = channels; }
  // For ops that hold their whole image: fills row y, columns x to r, from the plane.
  static void CopyFromPlane(const ImagePlane& plane, int y, int x, int r, const ChannelSet& channels,
                            Row& row);

private:
  Format m_format;
  ChannelSet m_channels{eMaskRGBA};
  int m_firstFrame = 1;
  int m_lastFrame = 1;
};

} // namespace KX::Image
