#include <KXImage/Text.h>

#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imagebufalgo.h>

#include <algorithm>
#include <cmath>

namespace KX::Image {

namespace {

Op* build(Node* node) {
  return new Text(node);
}

// OpenImageIO counts rows from the top; the planes here from the bottom.
void flipRows(ImagePlane& plane) {
  for (int y = 0; y < plane.height() / 2; ++y) {
    std::swap_ranges(plane.pixel(0, y), plane.pixel(0, y) + std::size_t(plane.width()) * 4,
                     plane.pixel(0, plane.height() - 1 - y));
  }
}

OIIO::ImageBufAlgo::TextAlignX alignX(int justify) {
  switch (justify) {
  case 1:
    return OIIO::ImageBufAlgo::TextAlignX::Center;
  case 2:
    return OIIO::ImageBufAlgo::TextAlignX::Right;
  default:
    return OIIO::ImageBufAlgo::TextAlignX::Left;
  }
}

OIIO::ImageBufAlgo::TextAlignY alignY(int justify) {
  switch (justify) {
  case 1:
    return OIIO::ImageBufAlgo::TextAlignY::Top;
  case 2:
    return OIIO::ImageBufAlgo::TextAlignY::Center;
  case 3:
    return OIIO::ImageBufAlgo::TextAlignY::Bottom;
  default:
    return OIIO::ImageBufAlgo::TextAlignY::Baseline;
  }
}

} // namespace

const Op::Description Text::sDescription("Text", build, "Draw text over the input");

Text::Text(Node* node)
    : Iop(node) {
  declareField("font", std::string("DejaVuSans"));
  declareField("size", std::vector<double>{40.0, 40.0});
  declareField("message", std::string());
  declareField("xjustify", std::vector<double>{0.0});
  declareField("yjustify", std::vector<double>{0.0});
  declareField("matrix", Matrix4());
  declareField("color", std::vector<double>{1.0, 1.0, 1.0, 1.0});
}

void Text::_validate(bool forReal) {
  Iop::_validate(forReal);
  m_image = ImagePlane();
  Iop* in = inputIop(0);
  if (!forReal || in == nullptr || format().width() <= 0 || format().height() <= 0) {
    return;
  }
  m_image = in->renderImage();
  const std::string message = textField("message");
  if (message.empty()) {
    return;
  }
  flipRows(m_image);
  OIIO::ImageBuf canvas(OIIO::ImageSpec(m_image.width(), m_image.height(), 4, OIIO::TypeDesc::FLOAT),
                        m_image.pixels.data());
  const Matrix4 matrix = matrixField("matrix");
  const float w = matrix(3, 3) != 0.0f ? matrix(3, 3) : 1.0f;
  const int anchorX = int(std::lround(matrix(0, 3) / w)) - format().x;
  const int anchorY = m_image.height() - int(std::lround(matrix(1, 3) / w)) + format().y;
  const float colour[4] = {float(numberField("color", 0)), float(numberField("color", 1)),
                           float(numberField("color", 2)), float(numberField("color", 3))};
  const int size = std::max(1, int(std::lround(numberField("size", 1))));
  const bool drawn = OIIO::ImageBufAlgo::render_text(
      canvas, anchorX, anchorY, message, size, textField("font"), colour,
      alignX(int(numberField("xjustify"))), alignY(int(numberField("yjustify"))));
  if (!drawn) {
    m_image = ImagePlane();
    error("cannot draw text with the font " + textField("font") + ": " + canvas.geterror());
    return;
  }
  flipRows(m_image);
}

void Text::engine(int y, int x, int r, const ChannelSet& channels, Row& row) {
  CopyFromPlane(m_image, y, x, r, channels, row);
}

} // namespace KX::Image
