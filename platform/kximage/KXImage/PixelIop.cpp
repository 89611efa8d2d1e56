#include <KXImage/PixelIop.h>

#include <KXImage/Row.h>

namespace KX::Image {

PixelIop::PixelIop(Node* node)
    : Iop(node) {}

void PixelIop::engine(int y, int x, int r, const ChannelSet& channels, Row& row) {
  Row in(x, r);
  if (Iop* source = inputIop(0)) {
    source->get(y, x, r, channels, in);
  }
  row.copy(in, channels, x, r);
  if (enabled()) {
    pixel_engine(in, y, x, r, channels, row);
  }
}

} // namespace KX::Image
