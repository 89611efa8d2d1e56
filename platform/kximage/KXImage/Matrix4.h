#pragma once

#include <KXImage/KXImageExport.h>

#include <array>

namespace KX::Image {

// A 4 x 4 transform of points (x, y, z, 1), stored row by row; the identity when made.
class KXIMAGE_EXPORT Matrix4 {
public:
  Matrix4();

  // The matrix that moves points by (x, y, z).
  static Matrix4 translation(float x, float y, float z);

  float& operator()(int row, int column) { return m_values[std::size_t(row * 4 + column)]; }
  float operator()(int row, int column) const { return m_values[std::size_t(row * 4 + column)]; }
  bool operator==(const Matrix4& other) const { return m_values == other.m_values; }

private:
  std::array<float, 16> m_values{};
};

} // namespace KX::Image
