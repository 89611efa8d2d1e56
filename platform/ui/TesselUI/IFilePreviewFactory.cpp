#include <TesselUI/IFilePreviewFactory.h>

namespace Tessel::UI {

namespace {
IFilePreviewFactory* s_registered = nullptr;
}

IFilePreviewFactory::~IFilePreviewFactory() {
  if (s_registered == this) {
    s_registered = nullptr;
  }
}

void IFilePreviewFactory::Register(IFilePreviewFactory* factory) {
  s_registered = factory;
}

IFilePreviewFactory* IFilePreviewFactory::Registered() {
  return s_registered;
}

} // namespace Tessel::UI
