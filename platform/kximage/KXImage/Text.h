#pragma once

#include <KXImage/Iop.h>
#include <KXImage/KXImageExport.h>

namespace KX::Image {

// Draws text over its input with OpenImageIO. Fields: "font" (a font file, or a font name
// OpenImageIO finds), "size" (width and height of the letters in pixels; the height is used),
// "message" (lines separated by '\n'), "xjustify" (0 left, 1 centre, 2 right of the anchor),
// "yjustify" (0 first baseline, 1 top, 2 centre, 3 bottom at the anchor), "matrix" (the
// anchor is where it moves the origin; rows count from the bottom) and "color" (RGBA).
// A font that cannot be loaded is an error.
class KXIMAGE_EXPORT Text : public Iop {
public:
  explicit Text(Node* node = nullptr);

  const char* Class() const override { return "Text"; }

  static const Op::Description sDescription;

protected:
  void _validate(bool forReal) override;
  void engine(int y, int x, int r, const ChannelSet& channels, Row& row) override;

private:
  ImagePlane m_image;
};

} // namespace KX::Image
