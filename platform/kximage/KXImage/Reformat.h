#pragma once

#include <KXImage/Iop.h>
#include <KXImage/KXImageExport.h>

namespace KX::Image {

// Resizes its input into a box. Fields: "type" (1: into the box "box_width" x "box_height";
// otherwise the input's size), "resize" (0 none, 1 fit the width, 2 fit the height, 3 fit
// inside keeping the aspect, 4 fill keeping the aspect, 5 distort to the box), "center" (centre
// the picture in the box, else bottom-left), "filter" (0 nearest pixel, 1 smooth),
// "black_outside" (the box outside the picture is black; it always is here, having no other
// pixels), "crop" (cut what overflows the box; overflow is always cut here) and "box_fixed".
class KXIMAGE_EXPORT Reformat : public Iop {
public:
  explicit Reformat(Node* node = nullptr);

  const char* Class() const override { return "Reformat"; }

  static const Op::Description sDescription;

protected:
  void _validate(bool forReal) override;
  void engine(int y, int x, int r, const ChannelSet& channels, Row& row) override;

private:
  ImagePlane m_image;
};

} // namespace KX::Image
