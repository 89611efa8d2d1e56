#include <TesselUI/VerticalDivider.h>

namespace Tessel {
namespace UI {

VerticalDivider::VerticalDivider(QWidget* parent)
    : QFrame(parent) {
  setFrameShape(QFrame::VLine);
  setFrameShadow(QFrame::Sunken);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize VerticalDivider::sizeHint() const {
  return QSize(6, 18);
}

} // namespace UI
} // namespace Tessel
