#pragma once

namespace KX::Image {

// The host's node that an op belongs to; opaque to ops, and null for ops made by code.
class Node;

} // namespace KX::Image
