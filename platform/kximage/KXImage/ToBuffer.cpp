#include <KXImage/ToBuffer.h>

#include <KXImage/Iop.h>
#include <KXImage/Row.h>

#include <algorithm>
#include <cmath>

namespace KX::Image {

ToBuffer::ToBuffer(Node* node)
    : Op(node) {}

void ToBuffer::_validate(bool) {
  if (dynamic_cast<Iop*>(input(0)) == nullptr) {
    error("no image to render");
  }
}

bool ToBuffer::render(unsigned char* buffer, int x, int y, int width, int height, int channels) {
  if (buffer == nullptr || width <= 0 || height <= 0 || channels < 1 || channels > 4) {
    return false;
  }
  validate(true);
  if (hasError()) {
    return false;
  }
  Iop* source = dynamic_cast<Iop*>(input(0));
  const ChannelSet rgba(eMaskRGBA);
  Iop::ForEachRow(0, height, [&](int row) {
    Row pixels(x, x + width);
    source->get(y + row, x, x + width, rgba, pixels);
    unsigned char* target = buffer + std::size_t(row) * std::size_t(width) * std::size_t(channels);
    for (int column = x; column < x + width; ++column) {
      for (int c = 0; c < channels; ++c) {
        *target++ =
            (unsigned char)std::lround(std::clamp(pixels[Channel(c + 1)][column], 0.0f, 1.0f) * 255.0f);
      }
    }
  });
  return true;
}

} // namespace KX::Image
