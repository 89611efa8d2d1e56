#pragma once

#include <KXImage/KXImageExport.h>
#include <KXImage/Op.h>

namespace KX::Image {

// Renders its input image into a caller's buffer of 8-bit values.
//
// Threads: render() runs on the thread that edits the ops; it spreads the rows over several
// threads of its own and returns when all are written.
class KXIMAGE_EXPORT ToBuffer : public Op {
public:
  explicit ToBuffer(Node* node = nullptr);

  const char* Class() const override { return "ToBuffer"; }

  // Validates the input and writes the rectangle from (x, y), width by height, into buffer:
  // rows from the bottom up, channels values per pixel (red, green, blue, alpha; 1 to 4), each
  // value clamped to 0..1 and scaled to 0..255. False (buffer untouched) on an error.
  bool render(unsigned char* buffer, int x, int y, int width, int height, int channels);

protected:
  void _validate(bool forReal) override;
};

} // namespace KX::Image
