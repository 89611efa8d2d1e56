#include <KXImage/Format.h>

#include <utility>

namespace KX::Image {

Format::Format(int x, int y, int r, int t, double pixelAspect, std::string name)
    : x(x)
    , y(y)
    , r(r)
    , t(t)
    , pixelAspect(pixelAspect)
    , name(std::move(name)) {}

bool Format::operator==(const Format& other) const {
  return x == other.x && y == other.y && r == other.r && t == other.t && pixelAspect == other.pixelAspect;
}

} // namespace KX::Image
