#pragma once

#include <velloro/VelloroExport.h>

#include <QColor>

namespace Velloro {

// The colour itself when it stands out enough against the background (a contrast ratio of 3
// or more between their relative luminances), otherwise white on dark backgrounds and black
// on light ones.
VELLORO_EXPORT QColor ContrastingColor(const QColor& colour, const QColor& background);

} // namespace Velloro
