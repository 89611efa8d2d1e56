#include <velloro/pixelanalyser/SampleData.h>

namespace Velloro::Image {

void SampleData::reset() {
  *this = SampleData();
}

} // namespace Velloro::Image
