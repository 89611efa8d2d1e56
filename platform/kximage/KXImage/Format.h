#pragma once

#include <KXImage/KXImageExport.h>

#include <string>

namespace KX::Image {

// The size of an image: a box from (x, y) up to but not including (r, t), with the shape of its
// pixels and a name for menus. y grows upwards: row 0 is the bottom row.
struct KXIMAGE_EXPORT Format {
  int x = 0;
  int y = 0;
  int r = 0;
  int t = 0;
  double pixelAspect = 1.0;
  std::string name;

  Format() = default;
  Format(int x, int y, int r, int t, double pixelAspect = 1.0, std::string name = {});

  int width() const { return r - x; }
  int height() const { return t - y; }
  bool operator==(const Format& other) const;
};

} // namespace KX::Image
