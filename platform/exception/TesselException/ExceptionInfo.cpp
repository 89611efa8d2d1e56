#include <TesselException/ExceptionInfo.h>

namespace Tessel::Base {

ExceptionInfoBase::ExceptionInfoBase(const char* key)
    : m_key(key ? key : "") {}

ExceptionInfoBase::~ExceptionInfoBase() = default;

} // namespace Tessel::Base
