#include <KXImage/Reformat.h>

#include <OpenImageIO/imagebuf.h>
#include <OpenImageIO/imagebufalgo.h>

#include <algorithm>
#include <cmath>

namespace KX::Image {

namespace {

Op* build(Node* node) {
  return new Reformat(node);
}

OIIO::ImageSpec floatSpec(int width, int height) {
  return OIIO::ImageSpec(width, height, 4, OIIO::TypeDesc::FLOAT);
}

} // namespace

const Op::Description Reformat::sDescription("Reformat", build,
                                             "Resize the input into a box of another format");

Reformat::Reformat(Node* node)
    : Iop(node) {
  declareField("type", std::vector<double>{0.0});
  declareField("box_width", std::vector<double>{512.0});
  declareField("box_height", std::vector<double>{512.0});
  declareField("resize", std::vector<double>{3.0});
  declareField("box_fixed", std::vector<double>{0.0});
  declareField("center", std::vector<double>{1.0});
  declareField("crop", std::vector<double>{0.0});
  declareField("black_outside", std::vector<double>{0.0});
  declareField("filter", std::vector<double>{1.0});
}

void Reformat::_validate(bool forReal) {
  Iop::_validate(forReal);
  Iop* in = inputIop(0);
  const Format inFormat = format();
  Format box = inFormat;
  if (numberField("type") == 1.0) {
    box =
        Format(0, 0, std::max(1, int(numberField("box_width"))), std::max(1, int(numberField("box_height"))));
  }
  setFormat(box);
  m_image = ImagePlane();
  if (!forReal || in == nullptr || inFormat.width() <= 0 || inFormat.height() <= 0) {
    m_image = ImagePlane(box);
    return;
  }

  const double scaleX = double(box.width()) / inFormat.width();
  const double scaleY = double(box.height()) / inFormat.height();
  double sx = 1.0;
  double sy = 1.0;
  switch (int(numberField("resize"))) {
  case 1:
    sx = sy = scaleX;
    break;
  case 2:
    sx = sy = scaleY;
    break;
  case 3:
    sx = sy = std::min(scaleX, scaleY);
    break;
  case 4:
    sx = sy = std::max(scaleX, scaleY);
    break;
  case 5:
    sx = scaleX;
    sy = scaleY;
    break;
  default:
    break;
  }
  const int width = std::max(1, int(std::lround(inFormat.width() * sx)));
  const int height = std::max(1, int(std::lround(inFormat.height() * sy)));
  const bool centre = numberField("center") != 0.0;
  const int left = centre ? (box.width() - width) / 2 : 0;
  const int bottom = centre ? (box.height() - height) / 2 : 0;

  ImagePlane source = in->renderImage();
  const OIIO::ImageBuf sourceBuffer(floatSpec(inFormat.width(), inFormat.height()), source.pixels.data());
  OIIO::ImageBuf scaled(floatSpec(width, height));
  const bool done = numberField("filter") == 0.0 ? OIIO::ImageBufAlgo::resample(scaled, sourceBuffer, false)
                                                 : OIIO::ImageBufAlgo::resize(scaled, sourceBuffer);
  if (!done) {
    error("cannot resize: " + scaled.geterror());
    return;
  }

  // Paste what falls inside the box; the rest of the box stays black.
  m_image = ImagePlane(box);
  const int fromX = std::max(0, left);
  const int toX = std::min(box.width(), left + width);
  const int fromY = std::max(0, bottom);
  const int toY = std::min(box.height(), bottom + height);
  if (fromX >= toX) {
    return;
  }
  for (int y = fromY; y < toY; ++y) {
    scaled.get_pixels(OIIO::ROI(fromX - left, toX - left, y - bottom, y - bottom + 1, 0, 1, 0, 4),
                      OIIO::TypeDesc::FLOAT, m_image.pixel(fromX, y));
  }
}

void Reformat::engine(int y, int x, int r, const ChannelSet& channels, Row& row) {
  CopyFromPlane(m_image, y, x, r, channels, row);
}

} // namespace KX::Image
