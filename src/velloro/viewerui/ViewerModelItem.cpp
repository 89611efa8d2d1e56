#include <velloro/viewerui/ViewerModelItem.h>

namespace Velloro {

ViewerModelItem::~ViewerModelItem() = default;

bool ViewerModelItem::blockGUIUpdates() const {
  return false;
}

bool ViewerModelItem::allowAnnotations() const {
  return true;
}

} // namespace Velloro
