#include <velloro/widgets/ExtendedDynamicRange.h>

namespace Velloro {

void SetHDREnabled(bool) {}

void setExtendedDynamicRangeForWidget(QWidget*, bool) {}

void setExtendedDynamicRangeForWindow(QWindow*, bool) {}

} // namespace Velloro
