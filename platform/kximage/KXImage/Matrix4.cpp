#include <KXImage/Matrix4.h>

namespace KX::Image {

Matrix4::Matrix4() {
  for (int i = 0; i < 4; ++i) {
    (*this)(i, i) = 1.0f;
  }
}

Matrix4 Matrix4::translation(float x, float y, float z) {
  Matrix4 matrix;
  matrix(0, 3) = x;
  matrix(1, 3) = y;
  matrix(2, 3) = z;
  return matrix;
}

} // namespace KX::Image
