#include <velloro/viewerui/ViewerModelInterface.h>

namespace Velloro {

ViewerModelInterface::~ViewerModelInterface() = default;

} // namespace Velloro
