#pragma once

#include <TesselException/TesselExceptionExport.h>

#include <string>

namespace Tessel::Base {

// The readable form of a type name as typeid().name() gives it; the name itself when it
// cannot be demangled.
TESSEL_EXCEPTION_EXPORT std::string Demangle(const char* typeName);

} // namespace Tessel::Base
