#pragma once

namespace Tessel::Base {

// Base for objects with an identity of their own (pools, locks, anything that threads point at):
// they can be neither copied nor assigned.
class NonCopyable {
public:
  NonCopyable(const NonCopyable&) = delete;
  NonCopyable& operator=(const NonCopyable&) = delete;

protected:
  NonCopyable() = default;
  ~NonCopyable() = default;
};

} // namespace Tessel::Base
