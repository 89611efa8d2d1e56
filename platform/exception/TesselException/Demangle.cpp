#include <TesselException/Demangle.h>

#include <boost/core/demangle.hpp>

namespace Tessel::Base {

std::string Demangle(const char* typeName) {
  if (!typeName) {
    return {};
  }
  return boost::core::demangle(typeName);
}

} // namespace Tessel::Base
