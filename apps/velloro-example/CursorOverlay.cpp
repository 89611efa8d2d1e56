#include "CursorOverlay.h"

#include <velloro/preview/DrawCursorShaderOp.h>

#include <KXImage/Iop.h>
#include <KXImage/Knob.h>
#include <KXImage/Row.h>

#include <memory>

namespace Velloro::Example {

namespace {

// The display picture as an op the cursor can read: rows counted from the bottom, as the image
// SDK counts them.
class PictureOp : public KX::Image::Iop {
public:
  explicit PictureOp(const QImage& picture)
      : m_picture(picture.convertToFormat(QImage::Format_RGBA8888)) {}
  const char* Class() const override { return "Picture"; }

protected:
  void _validate(bool) override { setFormat(KX::Image::Format(0, 0, m_picture.width(), m_picture.height())); }
  void engine(int y, int x, int r, const KX::Image::ChannelSet& channels, KX::Image::Row& row) override {
    const uchar* pixels = m_picture.constScanLine(m_picture.height() - 1 - y);
    for (KX::Image::Channel channel : channels) {
      float* out = row.writable(channel);
      for (int column = x; column < r; ++column) {
        out[column] = channel >= 1 && channel <= 4 ? pixels[column * 4 + int(channel) - 1] / 255.0f : 0.0f;
      }
    }
  }

private:
  QImage m_picture;
};

} // namespace

QImage CursorOverlay::Draw(const QImage& picture, const QPoint& pixel) {
  if (!picture.valid(pixel)) {
    return picture;
  }
  PictureOp source(picture);
  std::unique_ptr<KX::Image::Iop> cursor(
      dynamic_cast<KX::Image::Iop*>(KX::Image::DrawCursorShaderOp::sDescription.build()(nullptr)));
  if (!cursor) {
    return picture;
  }
  cursor->set_input(0, &source);
  cursor->knob("displayResolution")->set_values({double(picture.width()), double(picture.height())});
  cursor->knob("cursorPosition")
      ->set_values({(pixel.x() + 0.5) / picture.width(), 1.0 - (pixel.y() + 0.5) / picture.height()});
  cursor->validate();
  const KX::Image::ImagePlane plane = cursor->renderImage();
  QImage drawn(plane.width(), plane.height(), QImage::Format_RGBA8888);
  for (int y = 0; y < plane.height(); ++y) {
    uchar* line = drawn.scanLine(plane.height() - 1 - y);
    for (int x = 0; x < plane.width(); ++x) {
      const float* values = plane.pixel(x, y);
      for (int component = 0; component < 4; ++component) {
        line[x * 4 + component] = uchar(std::clamp(values[component], 0.0f, 1.0f) * 255.0f + 0.5f);
      }
    }
  }
  return drawn;
}

} // namespace Velloro::Example
