#include <KXImage/OutputContext.h>

namespace KX::Image {

namespace {

bool singleView(const Op*) {
  return false;
}

} // namespace

bool (*OutputContext::hasMultipleViews)(const Op*) = singleView;

} // namespace KX::Image
