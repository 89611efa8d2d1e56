#include <KXImage/LayerI.h>

namespace KX::Image {

LayerI::~LayerI() = default;

} // namespace KX::Image
