#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/image/Layer.h>

#include <cstddef>

namespace Velloro::Image {

// A view of the registry's layer list: the 17 built-in layers in their fixed order, then the
// user's layers sorted by name. It has no state of its own, so assigning one does nothing.
//
// Threads: GUI thread only, as the registry.
class VELLORO_EXPORT LayerVector {
public:
  LayerVector() = default;
  LayerVector(const LayerVector&) = default;
  LayerVector& operator=(const LayerVector&) { return *this; }
  LayerVector& operator=(LayerVector&&) { return *this; }

  // The first layer of the name ("uv" names "forward"), or empty.
  LayerPtr operator[](const char* name) const;
  // Layer i of the list; i must be below size().
  const LayerPtr& operator[](std::size_t i) const;
  std::size_t size() const;
};

// The one view of the layer list.
VELLORO_EXPORT LayerVector& getLayers();

} // namespace Velloro::Image
